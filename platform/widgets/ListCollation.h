#pragma once

#include <QCollator>
#include <QLocale>

#include <string>
#include <unordered_map>

namespace veltrane {

// The order of the sorted lists: the user's language's, as the desktop's own
// font viewers sort, with letter case, width and variant forms ignored and
// accents counted after the plain letter (Arger before Ärger, both beside
// Apfel). The language is the locale LC_ALL, LC_COLLATE or LANG names; for C
// and POSIX it is the Unicode root order. Numbers in names are not compared as
// numbers: "10 Point" comes before "2 Point".
class ListCollation {
public:
    ListCollation() : ListCollation(userLocale()) {}
    explicit ListCollation(const QLocale& locale);

    // The name's sort key, made once a name: keys compare as their names sort.
    const QCollatorSortKey& key(const std::string& name);

    // The locale the environment names for collating; the root order's for C.
    static QLocale userLocale();

private:
    QCollator collator_;
    std::unordered_map<std::string, QCollatorSortKey> keys_;
};

}  // namespace veltrane
