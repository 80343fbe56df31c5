// The quiz as the program runs it: its MIDlet, its built-in session, the bundle check before it
// starts and the exit status that tells whether its last save failed.
#pragma once

#include "host/MidletEntry.h"

const MidletEntry& quizEntry();
