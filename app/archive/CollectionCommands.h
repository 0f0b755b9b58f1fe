// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Импорт карт…" and "Экспорт карт…". Every dialog and message goes through
// the prompts seam.
#pragma once

#include <QString>

class QWidget;
class TCityBase;

namespace archive {

// Asks for a file and imports it; the summary is shown. True when some chart was imported.
bool ImportChartsCommand(const QString& ArchivePath, const TCityBase* Atlas, QWidget* Parent);
// Asks for the charts, the format and the file; true when the file was written.
bool ExportChartsCommand(const QString& ArchivePath, const TCityBase* Atlas, QWidget* Parent);

} // namespace archive
