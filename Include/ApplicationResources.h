#pragma once

// Registers the compiled-in icons and logo (":/res/..."). They live in a static library, whose resource
// initialiser the linker would drop as unreferenced; every window that shows them calls this first.
void initApplicationResources();
