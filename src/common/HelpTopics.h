#pragma once

// The help topics of the pages: each page's "Help" button shows its own.
enum HelpTopic : int {
  kHelpMessages = 0x30000,
  kHelpPCCommunication = 0x30005,
  kHelpMarqueeCommunication = 0x30010,
  kHelpMessageDatabase = 0x30015,
};
