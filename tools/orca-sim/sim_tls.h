#pragma once

#include <optional>

#include "http_server.h"
#include "orca_sim.h"

// The TLS settings the options ask for: none without --tls-cert. TLS 1.2 only, as the cloud service
// the program expects. Fills `error` and gives nothing when a file cannot be read.
std::optional<TlsSettings> SimTlsSettings(const SimOptions& options, QString* error);
