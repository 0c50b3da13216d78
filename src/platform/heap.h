#pragma once

namespace vqx {

// Hands the heap freed by a large operation (a load, a rewrite, an import)
// back to the system, so that the program's resident memory falls back to
// what it keeps. Does nothing where the C library cannot do it.
void returnFreedMemory();

} // namespace vqx
