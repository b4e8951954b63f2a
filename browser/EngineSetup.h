#pragma once

// What the browser engine reads from the environment; it must be in place before the
// application object is made.

namespace browser {

// Chromium refuses to start as root with its sandbox on, and finds no GPU to use there. When the
// program runs as root, turns the sandbox and the GPU off, unless the environment already says
// how to run the sandbox or already passes --disable-gpu.
void PrepareBrowserEngine();

}  // namespace browser
