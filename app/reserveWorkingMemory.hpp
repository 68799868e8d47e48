#pragma once

#include <cstddef>

// Enough for what the frames of a game allocate and free again, the OpenGL driver's buffers among them.
constexpr std::size_t WorkingMemoryBytes = std::size_t{8} << 20;

// Keeps the frames off fresh pages. The driver takes a new megabyte for the vertices it uploads every few hundred
// frames; left alone, the C library hands such large blocks back to the system when they are freed, and the frame
// that takes the next one waits for some 250 page faults (about a millisecond). This keeps freed memory for reuse
// and touches the given amount once, so that later blocks come from pages already there.
// Call it once, after the set-up and before the first frame. Without glibc's allocator it does nothing.
void reserveWorkingMemory(std::size_t bytes = WorkingMemoryBytes);
