// The quiz as the program runs it: its MIDlet, its built-in session, the bundle check before it
// starts and the exit status that tells whether it could start and whether its last save failed.
#pragma once

#include "host/MidletEntry.h"

class HookCanvas;
namespace java::io { class IOException; }

const MidletEntry& quizEntry();

// A bundle file that the quiz's first loading cannot read or decode, damage the check before the
// start cannot see: the canvas's loop stops, one line says why as that check would, and the
// program is asked to end as a terminate ends it, with the status of a refused start.
void quizCannotStart(HookCanvas& canvas, java::io::IOException& unreadable);
