#pragma once

#include <cstddef>

// The installer's side of the plug-in interface (single-byte build): its string stack and
// its variable block, and the helpers that pop from one and write into the other.

// One entry of the installer's string stack. The installer allocates each node with its
// global-memory allocator, with room for one variable (variableSize characters) of text
// after `next`; whoever pops a node frees it with the same allocator.
struct InstallerStackNode {
  InstallerStackNode* next;
  char text[1];
};

// The installer's variables $0-$9, $R0-$R9, $CMDLINE, $INSTDIR, $OUTDIR, $EXEDIR and
// $LANGUAGE, each variableSize characters, end to end; $0 is index 0.
constexpr int kInstallerVariableCount = 25;

// Frees a block of the installer's global-memory allocator.
using GlobalFreeFunction = void (*)(void* block);

// Keeps the arguments of the current call for PopString and SetUserVariable. The installer
// calls plug-in functions one at a time on its own thread, so module-wide copies suffice.
// freeNode is the allocator that popped nodes go back to.
void StoreCallArguments(void* parentWindow, int variableSize, char* variables, InstallerStackNode** stackTop,
                        GlobalFreeFunction freeNode) noexcept;

// Pops the top of the installer stack into buffer (bufferSize bytes including the zero),
// truncating the text to what fits in both the buffer and one variable, and frees the node.
// Returns 0 when a node was popped, 1 when the stack-top pointer is null or the stack is
// empty; then buffer is left as it was. With bufferSize 0 or a variable size below 1 the
// node is still popped and freed, and buffer is left as it was.
int PopString(char* buffer, std::size_t bufferSize) noexcept;

// Copies text into variable `index` (0 = $0), truncated to the variable size less its zero.
// Does nothing when text is null, index is outside 0-24, the variable block is null or the
// variable size is below 1.
void SetUserVariable(int index, const char* text) noexcept;
