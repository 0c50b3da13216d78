#pragma once

namespace vqx {

class DataFolderLock;
class MessageBoxes;

// Takes the data folder for this run, before any file is read or written.
// When another ZAT_VQX holds it, says which folder and that the other window
// must be closed first, and returns false: the caller then ends at once.
bool claimDataFolder(DataFolderLock &lock, MessageBoxes &messages);

// The exit code of a start refused that way.
inline constexpr int kRefusedExitCode = 3;

} // namespace vqx
