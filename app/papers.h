#pragma once

#include <span>
#include <string_view>

#include "documents/paperview.h"
#include "sheet/answerkey.h"

// A built-in paper: everything it comes with. Every paper keeps the designed paper's structure,
// so one answer sheet serves them all.
struct BuiltInPaper {
    std::string_view title; // UTF-8, as its menu item and the results window name it
    PaperDocuments documents;
    const KeyTable *key;
    const char *answerBook;
};

// The built-in papers, the designed one first: the one every start-up shows.
std::span<const BuiltInPaper> builtInPapers();
