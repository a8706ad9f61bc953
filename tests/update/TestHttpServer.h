#pragma once
// A small HTTP server on 127.0.0.1 for the update tests: canned status, headers and bodies per path,
// truncated bodies, delays and stalls, and a log of every request. It runs in the test's own thread:
// the update component's local event loop serves it while waiting for the answer.

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <vector>

namespace vantrel::test {

struct CannedResponse {
    int status = 200;
    QByteArray reason = "OK";
    QByteArray body;
    std::vector<std::pair<QByteArray, QByteArray>> headers;
    bool sendLength = true;    // Content-Length header
    qsizetype truncateAt = -1; // send only this many body bytes, then close
    int delayMs = 0;           // wait before answering
    qsizetype stallAt = -1;    // send this many body bytes, then wait for `stallUntil`
    std::function<bool()> stallUntil;
    std::function<void()> onRequest; // runs when the request has arrived
};

struct LoggedRequest {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers; // names lower-cased
};

class TestHttpServer : public QObject {
  public:
    TestHttpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                Serve(socket);
        });
    }

    quint16 Port() const { return server_.serverPort(); }
    QString Url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(Port()).arg(path);
    }
    void Route(const QByteArray& path, CannedResponse response) { routes_[path] = std::move(response); }
    const std::vector<LoggedRequest>& Requests() const { return requests_; }
    int Count(const QByteArray& path) const {
        int n = 0;
        for (const LoggedRequest& r : requests_)
            n += r.path == path;
        return n;
    }

  private:
    void Serve(QTcpSocket* socket) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            QByteArray& buffer = pending_[socket];
            buffer += socket->readAll();
            const qsizetype end = buffer.indexOf("\r\n\r\n");
            if (end < 0) return;
            LoggedRequest request;
            const QList<QByteArray> lines = buffer.left(end).split('\n');
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            request.method = first.value(0);
            request.path = first.value(1);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    request.headers[lines[i].left(colon).trimmed().toLower()] =
                        lines[i].mid(colon + 1).trimmed();
            }
            pending_.remove(socket);
            requests_.push_back(request);
            Answer(socket, routes_.value(request.path, NotFound()));
        });
    }

    static CannedResponse NotFound() {
        CannedResponse response;
        response.status = 404;
        response.reason = "Not Found";
        response.body = "<html><body>Not Found</body></html>";
        return response;
    }

    void Answer(QTcpSocket* socket, const CannedResponse& response) {
        if (response.onRequest) response.onRequest();
        QPointer<QTcpSocket> guard(socket);
        QTimer::singleShot(response.delayMs, this, [this, guard, response] {
            if (!guard) return;
            QByteArray head =
                "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + response.reason + "\r\n";
            head += "Connection: close\r\n";
            if (response.sendLength)
                head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
            for (const auto& [name, value] : response.headers)
                head += name + ": " + value + "\r\n";
            head += "\r\n";
            guard->write(head);
            QByteArray body = response.body;
            if (response.truncateAt >= 0) body.truncate(response.truncateAt);
            if (response.stallAt >= 0 && response.stallAt < body.size()) {
                guard->write(body.left(response.stallAt));
                Stall(guard, body.mid(response.stallAt), response.stallUntil, 1000);
                return;
            }
            guard->write(body);
            guard->disconnectFromHost();
        });
    }

    // Polls the condition every 10 ms (at most `tries` times) before sending the rest.
    void Stall(QPointer<QTcpSocket> socket, QByteArray rest, std::function<bool()> until, int tries) {
        QTimer::singleShot(10, this, [this, socket, rest, until, tries] {
            if (!socket) return;
            if (tries > 0 && until && !until()) {
                Stall(socket, rest, until, tries - 1);
                return;
            }
            if (!socket) return;
            socket->write(rest);
            socket->disconnectFromHost();
        });
    }

    QTcpServer server_;
    QMap<QByteArray, CannedResponse> routes_;
    QMap<QTcpSocket*, QByteArray> pending_;
    std::vector<LoggedRequest> requests_;
};

} // namespace vantrel::test
