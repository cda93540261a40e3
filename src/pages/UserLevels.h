#pragma once

#include <string>
#include <vector>

// The entries of the user-level list of the function-key and register pages
// (GBK): "无密码" alone while the project defines no password level, else
// "低级", "中级", "高级" up to the highest level defined (1 to 3). Entry i
// stands for level index i.
std::vector<std::string> UserLevelNames(int highestLevel);
