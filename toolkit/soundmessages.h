#pragma once

// The sound layer speaks on the console about things the user cannot act on: no sound server, a
// server that went away, a stream that broke. The time signal is optional, so those lines would
// only alarm; they are dropped, and any other line of the sound layer's is let through once.
// Everything else goes on to the handler that was there before. Installed once per process.
void installQuietSoundMessages();
