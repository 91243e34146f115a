// The three sections of the goods table, each filled by its own file;
// FillGoodsTable runs them on an emptied table.
#pragma once

#include <cstdint>
#include <span>

#include "content/tables.h"

// A seal or material row: everything but the wrap class, which only
// articles have.
struct PlainGoodsRow {
  int number;
  const char* picture;
  const char* name;
  int32_t price;  // yen
  const char* description;
};

// Writes the rows with the given kind, amount 0 and wrap class 0.
inline void WritePlainRows(GoodsTable& goods, std::span<const PlainGoodsRow> rows, int32_t kind) {
  for (const PlainGoodsRow& row : rows)
    goods[row.number] = titem{row.picture, row.name, row.description, row.price, kind, 0, 0};
}

void FillArticleRows(GoodsTable& goods);   // 1-76
void FillSealRows(GoodsTable& goods);      // 100-150 without 130
void FillMaterialRows(GoodsTable& goods);  // 200-207
