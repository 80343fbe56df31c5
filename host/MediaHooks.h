// Joins the media library to the launcher's start-up, polling and teardown, and keeps the audio
// libraries from filling standard error when no audio device can be found. Called once, before
// any other thread runs.
#pragma once

void joinMediaToLauncher();
