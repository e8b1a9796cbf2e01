#pragma once

// The program's whole life: settings, translators, single instance, main window,
// recovery, hot key and the event loop. Returns the process exit status.
int runLumora(int argc, char **argv);
