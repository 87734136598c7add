#include "config_store/vector_parsers.h"
namespace config_store {}
