#pragma once

// Makes the content that start-up never reads (the answer books, the papers after the first)
// readable under :/content, registering its bundle the first time it is called.
void registerLateContent();
