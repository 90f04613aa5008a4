#include "help/ExternalDatabase.h"

#include "core/ErrorReporter.h"

#include <mdbtools.h>

#include <QFile>
#include <QRect>
#include <QRegularExpression>

#include <vector>

namespace {

// A memo of n characters takes up to 3n bytes of UTF-8; help texts stay far below.
constexpr std::size_t kBindSize = 1 << 20;

// Numbers of the database engine's own errors.
constexpr int kNoCurrentRecord = 3021;
constexpr int kItemNotFound = 3265;

struct Query {
    QString table;
    bool byId = false;
    qint64 id = 0;
};

std::optional<Query> ParseQuery(const QString& sql)
{
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+([\p{L}_][\p{L}\p{N}_]*)(?:\s+where\s+id\s*=\s*([-+]?\d{1,10}))?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = shape.match(sql);
    if (!m.hasMatch()) return std::nullopt;
    Query q{m.captured(1)};
    if (m.hasCaptured(2)) {
        q.byId = true;
        q.id = m.captured(2).toLongLong();
    }
    return q;
}

QVariant Typed(int type, const char* text, int length)
{
    const QByteArray bytes(text, length);
    switch (type) {
    case MDB_TEXT:
    case MDB_MEMO: return QString::fromUtf8(bytes);
    }
    if (length == 0) return QVariant();  // null
    switch (type) {
    case MDB_BOOL: return bytes != "0";
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return bytes.toLongLong();
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC: return bytes.toDouble();
    default: return bytes;  // dates, binary, OLE: as the engine prints them
    }
}

struct TableFree {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

}  // namespace

QVariant RecordSet::Field(const QString& column) const
{
    if (Eof()) throw RuntimeError(kNoCurrentRecord, QStringLiteral("没有当前记录"));
    for (qsizetype i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(column, Qt::CaseInsensitive) == 0) return rows_[position_][i];
    throw RuntimeError(kItemNotFound, QStringLiteral("在集合中找不到字段“%1”").arg(column));
}

struct ExternalDatabase::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle()
    {
        if (mdb) mdb_close(mdb);
    }
};

ExternalDatabase::ExternalDatabase(QObject* owner) : QObject(owner)
{
    setObjectName(QStringLiteral("外部数据库1"));
    setProperty("designGeometry", QRect(304, 40, 40, 32));
}

ExternalDatabase::~ExternalDatabase() = default;

bool ExternalDatabase::Open(const QString& path)
{
    Close();
    // Names and texts come back in UTF-8 whatever the environment says.
    qputenv("MDBICONV", "UTF-8");
    QByteArray file = QFile::encodeName(path);
    MdbHandle* mdb = mdb_open(file.constData(), MDB_NOFLAGS);
    if (!mdb) return false;
    handle_ = std::make_unique<Handle>();
    handle_->mdb = mdb;
    mdb_set_bind_size(mdb, kBindSize);
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        Close();
        return false;
    }
    return true;
}

void ExternalDatabase::Close() { handle_.reset(); }

std::unique_ptr<RecordSet> ExternalDatabase::Execute(const QString& sql)
{
    auto query = ParseQuery(sql);
    if (!handle_ || !query) return nullptr;
    QByteArray name = query->table.toUtf8();
    std::unique_ptr<MdbTableDef, TableFree> table(mdb_read_table_by_name(handle_->mdb, name.data(), MDB_TABLE));
    if (!table || !mdb_read_columns(table.get())) return nullptr;
    mdb_rewind_table(table.get());

    auto records = std::make_unique<RecordSet>();
    const unsigned count = table->num_cols;
    std::vector<std::vector<char>> buffers(count, std::vector<char>(kBindSize));
    std::vector<int> lengths(count);
    std::vector<int> types(count);
    int idColumn = -1;
    for (unsigned i = 0; i < count; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        records->columns_ << QString::fromUtf8(col->name);
        types[i] = col->col_type;
        if (records->columns_.last().compare(QStringLiteral("id"), Qt::CaseInsensitive) == 0) idColumn = int(i);
        mdb_bind_column(table.get(), int(i + 1), buffers[i].data(), &lengths[i]);
    }
    if (query->byId && idColumn < 0) return nullptr;
    while (mdb_fetch_row(table.get())) {
        QList<QVariant> row;
        for (unsigned i = 0; i < count; ++i) row << Typed(types[i], buffers[i].data(), lengths[i]);
        // An id is compared as the help tree stores it: a whole number.
        if (query->byId && qint64(row[idColumn].toDouble()) != query->id) continue;
        records->rows_ << row;
    }
    return records;
}
