#pragma once

#include <QString>
#include <link/LinkResult.h>
#include <text/Language.h>

namespace varno::link {

// The message of a link result in a language. For a port that could not be
// opened, the platform's reason (which group grants access to the device, ...)
// follows on its own line.
QString LinkResultMessage(TLinkResult result, text::Language language, const QString &reason = {});

} // namespace varno::link
