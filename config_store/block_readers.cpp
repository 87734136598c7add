#include "config_store/block_readers.h"
namespace config_store {}
