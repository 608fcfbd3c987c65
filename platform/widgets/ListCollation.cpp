#include "ListCollation.h"

#include <cstdlib>

namespace veltrane {

namespace {

// Qt compares code units for the C locale; English's collation is the root's.
QLocale withRootForC(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

}  // namespace

ListCollation::ListCollation(const QLocale& locale) : collator_(withRootForC(locale)) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);  // ICU's secondary strength
    collator_.setNumericMode(false);
}

const QCollatorSortKey& ListCollation::key(const std::string& name) {
    auto found = keys_.find(name);
    if (found == keys_.end()) {
        found = keys_.emplace(name, collator_.sortKey(QString::fromStdString(name))).first;
    }
    return found->second;
}

// As the C library's setlocale(LC_COLLATE, "") reads them.
QLocale ListCollation::userLocale() {
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* name = std::getenv(variable);
        if (name != nullptr && *name != '\0') return QLocale(QString::fromLocal8Bit(name));
    }
    return QLocale::c();
}

}  // namespace veltrane
