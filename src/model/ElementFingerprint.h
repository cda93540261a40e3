#pragma once

#include "model/ElementRef.h"

class ByteWriter;
class CVX50TextDoc;

// Writes the bytes that tell two states of a screen's elements apart: each element's
// kind, selection, project-file record and address names (the record holds
// the names only as codes of the address table, which name nothing the table
// lacks). Equal fingerprints of the same list at two moments mean the list
// has not changed in anything the file, the selection or the addresses show.
// Entries without an element or with an unknown kind are left out, as clones
// leave them out.
void WriteElementsFingerprint(ByteWriter& out, const ElementList& elements, const CVX50TextDoc& doc);
