#pragma once

class PrinterService;

// The printer the user prints on, remembered in the user's settings across runs.

// Makes the remembered printer the service's current one while it is installed, else the
// system's default; returns its index in printers(), -1 when none is installed.
int restorePrinterChoice(PrinterService &printer);

// Makes printers()[index] the current printer and remembers it for the next runs.
void choosePrinter(PrinterService &printer, int index);
