#pragma once

#include "Settings.h"

// The process's one settings record, shared by the main window, the dialogs and the
// engine, which all read it when they need a value.
Settings& appSettings();
