#pragma once

#define IDS_SOCKET_STARTUP_FAILED 103
