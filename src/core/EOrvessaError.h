#pragma once

#include <QString>
#include <exception>

// The one exception type of the program. A handler that cannot finish throws
// it with a message for the user; the application's event loop catches it and
// shows the message in the default error box.
class EOrvessaError : public std::exception
{
public:
    explicit EOrvessaError(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}

    const QString &message() const noexcept { return FMessage; }
    const char *what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};
