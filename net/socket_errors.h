#pragma once

#include <string>

namespace pellamo {

// The socket layer reports errors with Windows Sockets numbers (10061 for a
// refused connection, ...), which users and logs of this program know.
int WinsockErrorFromErrno(int error);

// "10061:Connection refused"; "Unknown Error No. N" for numbers outside the table.
std::string WinsockErrorMessage(int error);

}
