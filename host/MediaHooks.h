// Joins the media library to the launcher's start-up, polling and teardown.
#pragma once

void joinMediaToLauncher();
