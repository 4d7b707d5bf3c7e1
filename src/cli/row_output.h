#pragma once
// Printing document rows: aligned text lines, or JSON objects for other tools.
#include <cstdio>

struct Document;

void printRowsAsText(Document* document, std::FILE* out);
void printRowsAsJson(Document* document, std::FILE* out);
