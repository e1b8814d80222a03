#include <link/LinkMessage.h>
#include <text/text.h>

namespace varno::link {

QString LinkResultMessage(TLinkResult result, text::Language language, const QString &reason)
{
    if (result == TLinkResult::Cancelled)
        return text::Text(text::AddedTexts::TransferCancelled, language);
    QString message = text::LinkMessage(LinkResultCode(result), language);
    if (result == TLinkResult::OpenError && !reason.isEmpty())
        message += QLatin1Char('\n') + reason;
    return message;
}

} // namespace varno::link
