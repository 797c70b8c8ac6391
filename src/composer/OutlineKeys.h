#pragma once

// The outline tree's node keys and tags. A key names a node's place in the
// plan: "Plan" for the root, "Plan.3" for the third chapter, "Plan.3.12" for
// its twelfth section (positions 1-based, no blanks or leading zeros).

#include <QString>

namespace qv::composer {

// What a node stands for, kept in its tag.
enum class NodeTag : int { Root = 0, Chapter = 1, Section = 2 };

inline constexpr char kRootKey[] = "Plan";

QString chapterKey(int chapter);
QString sectionKey(int chapter, int section);

// The positions a key names; 0 where it names none (the root gives 0, 0; a
// chapter key gives its chapter and 0; a malformed key gives 0, 0).
struct OutlinePosition
{
    int chapter = 0;
    int section = 0;
    bool operator==(const OutlinePosition &) const = default;
};
OutlinePosition positionOfKey(const QString &key);

// The chapter number of a chapter key: the number after the first "."
// found from the fifth character on ("Plan.7" gives 7); 0 without one.
int chapterNumberOfKey(const QString &key);

// The outline number shown to the user: "3" for a chapter, "3.12" for a
// section, empty for the root.
QString outlineNumber(const OutlinePosition &position);

} // namespace qv::composer
