#pragma once

#include <cstddef>
#include <stdexcept>

// Indexing of the model's lists: an index outside the list raises the
// out-of-range error every caller of the model expects.
inline void CheckIndex(long long index, std::size_t size)
{
    if (index < 0 || static_cast<std::size_t>(index) >= size)
        throw std::out_of_range("invalid vector<T> subscript");
}

template <class List>
auto& CheckedAt(List& list, long long index)
{
    CheckIndex(index, list.size());
    return list[static_cast<std::size_t>(index)];
}
