#pragma once

// The log component of the control client.
#define PROTO_UI_COMPONENT "proto_ui_debug"
