#pragma once
// Printing document rows: aligned text lines, or JSON objects for other tools.
#include <cstdio>
#include <vector>

#include "cli/rows.h"

void printRowsAsText(const std::vector<Row>& rows, std::FILE* out);
void printRowsAsJson(const std::vector<Row>& rows, std::FILE* out);
