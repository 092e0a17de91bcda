#pragma once

// A window that reaches up into the main window: the include rule refuses it.
#include "main/TMainForm.h"
