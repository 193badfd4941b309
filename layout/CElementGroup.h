#pragma once

#include "model/ISquarable.h"

#include <string>

// The kinds of members a group gathers.
enum class EGroupKind { Function, Field, Type, Namespace, File };

// The members of one kind that belong to one owner (a namespace, a class or the program),
// sharing one rectangle of the treemap. The layout makes one for each group rectangle, with
// the owner's sums for the kind as they were when the model was sized.
class CElementGroup : public ISquarable {
public:
    // owner is borrowed: the namespace, class or program.
    CElementGroup(EGroupKind kind, int size, int lines, int count, ISquarable* owner)
        : Kind(kind), Size(size), Lines(lines), Count(count), Owner(owner) {}

    int GetSize() const override { return Size; }
    int GetLines() const override { return Lines; }
    // "Function group of ", "Field group of ", "Type group of ", "Namespace group of " or
    // "File group of ".
    std::string GetName() const override;
    ISquarable* GetFile() const override { return nullptr; }
    ISquarable* GetParent() const override { return Owner; }
    // The number of grouped elements, whatever their sizes.
    int GetCount() const { return Count; }

    EGroupKind Kind;
    int Size;
    int Lines;
    int Count;
    ISquarable* Owner; // borrowed
};
