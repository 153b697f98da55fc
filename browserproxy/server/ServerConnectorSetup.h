#pragma once

// Installs the translation-server connector as factory kind 1. For
// development and the test of a whole product against a translation server:
// when the environment variable TESSIVA_VQD_SERVER holds a server's base
// address, the browser objects' connector (kind 0) becomes the server
// connector, which connects to that address instead of starting the kernel;
// TESSIVA_VQD_TIMEOUT_MS, when set, is its time-out per request.
void InstallServerConnector();
