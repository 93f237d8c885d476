#include "setuphelper/InstallerStack.h"

#include <algorithm>

#include "setuphelper/BoundedCopy.h"

namespace {

// The current call's arguments (the installer's window handle is kept for completeness of
// the interface; nothing here draws on it).
void* g_parentWindow = nullptr;
int g_variableSize = 0;
char* g_variables = nullptr;
InstallerStackNode** g_stackTop = nullptr;
GlobalFreeFunction g_freeNode = nullptr;

std::size_t VariableSize() {
  return g_variableSize > 0 ? static_cast<std::size_t>(g_variableSize) : 0;
}

}  // namespace

void StoreCallArguments(void* parentWindow, int variableSize, char* variables, InstallerStackNode** stackTop,
                        GlobalFreeFunction freeNode) noexcept {
  g_parentWindow = parentWindow;
  g_variableSize = variableSize;
  g_variables = variables;
  g_stackTop = stackTop;
  g_freeNode = freeNode;
}

int PopString(char* buffer, std::size_t bufferSize) noexcept {
  if (g_stackTop == nullptr || *g_stackTop == nullptr) return 1;
  InstallerStackNode* node = *g_stackTop;
  // The node holds one variable of text; a text without its zero must not be read past that.
  const char* text = node->text;
  CopyBounded(buffer, std::min(bufferSize, VariableSize()), text, VariableSize());
  *g_stackTop = node->next;
  g_freeNode(node);
  return 0;
}

void SetUserVariable(int index, const char* text) noexcept {
  if (text == nullptr || index < 0 || index >= kInstallerVariableCount || g_variables == nullptr) return;
  const std::size_t size = VariableSize();
  CopyBounded(g_variables + static_cast<std::size_t>(index) * size, size, text, size);
}
