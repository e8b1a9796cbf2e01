#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// The openssl tool run in `folder`, as an operator would run it to check what the fleet's code
// made: its exit code and everything it printed.
struct OpenSslCommand
{
    int exitCode = -1;
    QByteArray output;

    bool succeeded() const { return exitCode == 0; }

    static OpenSslCommand run(const QString &folder, const QStringList &arguments)
    {
        OpenSslCommand command;
        QProcess openssl;
        openssl.setWorkingDirectory(folder);
        openssl.setProcessChannelMode(QProcess::MergedChannels);
        openssl.start(QStringLiteral("openssl"), arguments);
        if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit) {
            openssl.kill();
            openssl.waitForFinished();
            command.output = "openssl " + arguments.join(QLatin1Char(' ')).toUtf8() +
                             " did not finish: " + openssl.errorString().toUtf8();
            return command;
        }
        command.exitCode = openssl.exitCode();
        command.output = openssl.readAll();
        return command;
    }
};
