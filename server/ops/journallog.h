#pragma once

// Log lines for systemd's journal: when standard error is the journal's
// stream (JOURNAL_STREAM names it), every line carries its priority as a
// "<N>" prefix and no time of its own, which the journal adds. Otherwise
// nothing changes.
namespace JournalLog {

// Whether standard error is the stream JOURNAL_STREAM names.
bool isJournal();
// Installs the prefixing message handler; false (and nothing installed)
// when standard error is not the journal.
bool install();

} // namespace JournalLog
