#include "config_store/snapshot.h"
namespace config_store {}
