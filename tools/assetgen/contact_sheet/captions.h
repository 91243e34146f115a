// What each picture must show, in the game's own words: the goods' names and
// descriptions, the customers' names and first lines, and the scenes' roles.
#pragma once

#include <map>
#include <string>
#include <vector>

struct Words {
  std::string text;
  bool is_name;  // a name (goods, customer) rather than a description
};

// Picture file name -> its words (none for pictures the game gives no words).
std::map<std::string, std::vector<Words>> PictureCaptions();
