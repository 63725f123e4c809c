#pragma once

// The one exit-status definition: what r58213-cli tells its caller, and
// what r58213 returns when its configuration cannot be read. 0 the command
// succeeded; 1 it ran and failed (an import ended with errors, a connection
// or a validation failed); 2 usage or configuration error (unknown command,
// option or key, an unreadable configuration, a bad date). The status
// command answers as a Nagios check: 1 a warning (the archive lags), 2 a
// facility is overdue, 3 the target cannot be read.
enum class ExitStatus { Success = 0, Failed = 1, UsageError = 2, Warning = 1, Overdue = 2, Unknown = 3 };
