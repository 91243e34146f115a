// The three sections of the goods table, each filled by its own file;
// FillGoodsTable runs them on an emptied table.
#pragma once

#include "content/tables.h"

void FillArticleRows(GoodsTable& goods);   // 1-76
void FillSealRows(GoodsTable& goods);      // 100-150 without 130
void FillMaterialRows(GoodsTable& goods);  // 200-207
