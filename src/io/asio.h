#pragma once

// The one place that includes Asio: the build gives its headers as a system folder and the
// definitions it needs (ASIO_STANDALONE, ASIO_NO_DEPRECATED, the Windows version).
#include <asio.hpp>
