// The cluster link against a small node on 127.0.0.1, started by each test.
#include "spots/cluster_client.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using vqx::ClusterClient;

namespace {

// A node that takes one connection at a time and says what it was told.
class Node : public QObject
{
public:
    Node()
    {
        QVERIFY(server.listen(QHostAddress::LocalHost));
        connect(&server, &QTcpServer::newConnection, this, [this] {
            peer = server.nextPendingConnection();
            ++connections;
            if (!greeting.isEmpty())
                peer->write(greeting);
            connect(peer, &QTcpSocket::readyRead, this,
                    [p = peer, this] { heard += p->readAll(); });
        });
    }
    quint16 port() const { return server.serverPort(); }
    bool waitHeard(const QByteArray &what)
    {
        return QTest::qWaitFor([&] { return heard.contains(what); }, 5000);
    }

    QTcpServer server;
    QTcpSocket *peer = nullptr;
    QByteArray greeting;
    QByteArray heard;
    int connections = 0;
};

} // namespace

class ClusterClientTest : public QObject
{
    Q_OBJECT
private slots:
    void logsInWhenAsked_data();
    void logsInWhenAsked();
    void reconnectsAfterADroppedLink();
    void waitsTwiceAsLongUpToTheLimit();
    void readsABurstOfTenThousandLines();
    void commandsOnlyWhenConnected();
};

void ClusterClientTest::logsInWhenAsked_data()
{
    QTest::addColumn<QByteArray>("greeting");
    QTest::newRow("dxspider login prompt") << QByteArray("\xff\xfb\x01login: ");
    QTest::newRow("ar-cluster call prompt") << QByteArray("Please enter your call: ");
    QTest::newRow("cc-cluster call prompt on a line")
        << QByteArray("Welcome to the node\r\ncall:\r\n");
    QTest::newRow("prompt after a bell") << QByteArray("\aYour callsign: ");
}

void ClusterClientTest::logsInWhenAsked()
{
    QFETCH(QByteArray, greeting);
    Node node;
    node.greeting = greeting;
    ClusterClient client;
    QSignalSpy lines(&client, &ClusterClient::lineReceived);
    client.connectToNode(QStringLiteral("127.0.0.1"), node.port(), QStringLiteral("F4XYZ"));
    QVERIFY(node.waitHeard("F4XYZ\r\n"));
    QCOMPARE(client.state(), ClusterClient::State::Connecte);
    // The login is given once: a second prompt is only a message.
    node.peer->write(
        "login: again\r\nDX de F4ABC:     14025.0  TM31F        VQX 31FA001   1234Z\r\n");
    QTRY_COMPARE(lines.last().first().toString(),
                 QStringLiteral("DX de F4ABC:     14025.0  TM31F        VQX 31FA001   1234Z"));
    QCOMPARE(node.heard.count("F4XYZ"), 1);
    // Telnet offers are declined.
    if (greeting.startsWith('\xff'))
        QVERIFY(node.heard.startsWith(QByteArray("\xff\xfe\x01")));
}

void ClusterClientTest::reconnectsAfterADroppedLink()
{
    Node node;
    node.greeting = "login: ";
    ClusterClient client;
    client.setRetryDelay(50);
    QSignalSpy states(&client, &ClusterClient::stateChanged);
    client.connectToNode(QStringLiteral("127.0.0.1"), node.port(), QStringLiteral("F4XYZ"));
    QVERIFY(node.waitHeard("F4XYZ\r\n"));
    node.heard.clear();
    node.peer->disconnectFromHost();
    QTRY_COMPARE(client.state(), ClusterClient::State::Attente);
    QVERIFY(client.stateText().startsWith(QStringLiteral("Liaison perdue")));
    // Back after the delay, and logged in again.
    QVERIFY(node.waitHeard("F4XYZ\r\n"));
    QCOMPARE(node.connections, 2);
    QCOMPARE(client.state(), ClusterClient::State::Connecte);
    QList<ClusterClient::State> seen;
    for (const QList<QVariant> &s : states)
        seen << s.first().value<ClusterClient::State>();
    QCOMPARE(seen, (QList<ClusterClient::State>{
                       ClusterClient::State::Connexion, ClusterClient::State::Connecte,
                       ClusterClient::State::Attente, ClusterClient::State::Connexion,
                       ClusterClient::State::Connecte}));
}

void ClusterClientTest::waitsTwiceAsLongUpToTheLimit()
{
    // A port nobody listens on: every try is refused at once.
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    ClusterClient client;
    client.setRetryDelay(2);
    QList<int> delays;
    connect(&client, &ClusterClient::stateChanged, this, [&](ClusterClient::State s) {
        if (s == ClusterClient::State::Attente)
            delays << client.nextRetryMs();
    });
    client.connectToNode(QStringLiteral("127.0.0.1"), port, QStringLiteral("F4XYZ"));
    QTRY_VERIFY_WITH_TIMEOUT(delays.size() >= 8, 10000);
    client.disconnectFromNode();
    // The next delay after each failure: doubled, never beyond 60 times the first.
    QCOMPARE(delays.mid(0, 8), (QList<int>{4, 8, 16, 32, 64, 120, 120, 120}));
    QCOMPARE(client.state(), ClusterClient::State::Deconnecte);
}

void ClusterClientTest::readsABurstOfTenThousandLines()
{
    Node node;
    node.greeting = "login: ";
    ClusterClient client;
    int spots = 0;
    QString last;
    connect(&client, &ClusterClient::lineReceived, this, [&](const QString &line) {
        if (line.startsWith(QLatin1String("DX de")))
            ++spots;
        last = line;
    });
    client.connectToNode(QStringLiteral("127.0.0.1"), node.port(), QStringLiteral("F4XYZ"));
    QVERIFY(node.waitHeard("F4XYZ\r\n"));
    QByteArray burst;
    for (int i = 0; i < 10000; ++i)
        burst +=
            QStringLiteral("DX de F4ABC:     14025.0  TM31F        VQX 31FA%1          1234Z\r\n")
                .arg(i % 1000, 3, 10, QLatin1Char('0'))
                .toLatin1();
    node.peer->write(burst);
    QTRY_COMPARE_WITH_TIMEOUT(spots, 10000, 20000);
    QVERIFY(last.contains(QLatin1String("31FA999")));
}

void ClusterClientTest::commandsOnlyWhenConnected()
{
    ClusterClient client;
    QVERIFY(!client.sendCommand(QStringLiteral("sh/dx 30")));
    Node node;
    node.greeting = "login: ";
    client.connectToNode(QStringLiteral("127.0.0.1"), node.port(), QStringLiteral("F4XYZ"));
    QVERIFY(node.waitHeard("F4XYZ\r\n"));
    QVERIFY(client.sendCommand(QStringLiteral("sh/dx 30")));
    QVERIFY(node.waitHeard("sh/dx 30\r\n"));
    QCOMPARE(vqx::clusterLoginFor(QStringLiteral("f4xyz/p")), QStringLiteral("F4XYZ"));
    QCOMPARE(vqx::clusterLoginFor(QStringLiteral("F4XYZ_P")), QStringLiteral("F4XYZ"));
}

QTEST_GUILESS_MAIN(ClusterClientTest)
#include "cluster_client_test.moc"
