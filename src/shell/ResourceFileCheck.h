#pragma once

#include <cstddef>
#include <string_view>

// Qt registers a binary resource file ("qres", as rcc --binary writes it)
// after checking little more than its magic, and later follows every offset
// in it unchecked: a damaged file crashes the first look-up of any resource.
// This check walks the whole file as Qt's look-ups do, with every offset and
// length held against the file's size:
//  - the header: "qres", version 1 to 3, the tree, names and data offsets
//    inside the file, and (version 3) only the zlib and zstd flags;
//  - the tree from its root node: every node inside the file and reached
//    once only; a directory's children inside the file; every name (length,
//    hash, UTF-16 text) inside the file and usable in a path (not empty,
//    ".", ".." or holding "/"); every file's data (size, bytes) inside it;
//  - compressed data: a zlib entry's stated size, or a zstd frame's content
//    size, at most kMaxUnpackedResourceEntry, so that unpacking an entry
//    never asks for more memory than a resource file of texts and pictures
//    needs.
// True when Qt may register the bytes.
bool IsSoundResourceFile(std::string_view bytes);

constexpr std::size_t kMaxUnpackedResourceEntry = 16u << 20;
