// What the activation tells the mouse emulator through pointerly.ini: the
// configuration's dead zones and bindings, with the pointer axes put in.
#pragma once

#include "config_store/pointerly_ini.h"
#include "monitor/activation_values.h"

namespace monitor {

// The settings of the configuration: each binding's key, except that the axis
// MOTION_ALIAS_X names moves the pointer across ("X") and the one
// MOTION_ALIAS_Y names moves it up and down ("Y"), in both directions.
config_store::PointerlySettings PointerlySettingsFor(const ActivationValues& v);

// Whether the configuration needs the emulator: it uses keys, or names a pointer axis.
bool NeedsPointerly(const ActivationValues& v);

}  // namespace monitor
