#pragma once
// Starting outside programs: the SQL Server client tools of the Tools menu and
// the system information program of the About box. A program is started and
// forgotten: nobody waits for it and no handle is kept.

#include <QString>

namespace quorvel {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    // commandText is a program (a bare name looked up on the search path, or a
    // path), optionally followed by one blank and one argument. True when the
    // program was started; callers ignore failures, the result is for tests.
    virtual bool Start(const QString& commandText) = 0;
};

} // namespace quorvel
