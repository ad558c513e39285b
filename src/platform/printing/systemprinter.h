#pragma once

// The machine's own printers: CUPS on Linux, the spooler on Windows.
#ifdef _WIN32
#include "platform/printing/windowsprinter.h"
#else
#include "platform/printing/cupsprinter.h"
#endif
