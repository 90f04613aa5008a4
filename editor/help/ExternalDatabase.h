#pragma once
// 外部数据库1: the help database connection. It opens an Access (.mdb) file
// through libmdb and runs the two query shapes the help tree uses,
//   select * from NAME            and   select * from NAME where id=N
// with NAME a bare table name. libmdb's own SQL layer does not take Chinese
// names written bare, so the queries are evaluated here.
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include <memory>

class RecordSet {
public:
    void MoveFirst() { position_ = 0; }
    bool Eof() const { return position_ >= rows_.size(); }
    void MoveNext() { ++position_; }
    // A field of the current record, typed by its column (int, double,
    // QString, bool, ...; null as an invalid QVariant). Throws RuntimeError
    // when there is no current record or no such column.
    QVariant Field(const QString& column) const;

private:
    friend class ExternalDatabase;
    QStringList columns_;
    QList<QList<QVariant>> rows_;
    qsizetype position_ = 0;
};

class ExternalDatabase : public QObject {
    Q_OBJECT
public:
    explicit ExternalDatabase(QObject* owner);
    ~ExternalDatabase() override;

    bool Open(const QString& path);
    // Closing a closed database is harmless.
    void Close();
    // Null when the text is not one of the two shapes, the table is missing
    // or the database is not open.
    std::unique_ptr<RecordSet> Execute(const QString& sql);

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};
