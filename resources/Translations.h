// SPDX-License-Identifier: GPL-2.0-or-later
// The panel in the user's language: the compiled-in translations, and Qt's own for its
// dialogs' buttons where the system has them.
#pragma once

#include <QLocale>
#include <QStringList>

namespace Translations {

// The languages shipped, as the suffixes of their files ("de", "pt_BR", ...).
QStringList languages();
// Installs the translation for `locale` into the application, if one is shipped; true if so.
bool install(const QLocale &locale);

} // namespace Translations
