#include "odbc/column_description.h"

#include <sqlext.h>

#include <cstddef>
#include <cstring>

#include "odbc/last_error.h"

namespace tabrix {

namespace {

enum class Into { Flag, Number, Text };

struct AttributeStep {
    SQLUSMALLINT id;
    bool versionTwoCall;  // attributes ODBC 3 dropped from SQLColAttribute
    Into kind;
    size_t offset;
};

// In the order the fields are read; the first failure leaves the rest as the
// host had them.
constexpr AttributeStep kSteps[] = {
    {SQL_DESC_AUTO_UNIQUE_VALUE, false, Into::Flag, offsetof(ColDesc, autoIncrement)},
    {SQL_DESC_CASE_SENSITIVE, false, Into::Flag, offsetof(ColDesc, caseSensitive)},
    {SQL_DESC_DISPLAY_SIZE, false, Into::Number, offsetof(ColDesc, displaySize)},
    {SQL_DESC_LABEL, false, Into::Text, offsetof(ColDesc, label)},
    {SQL_DESC_LENGTH, false, Into::Number, offsetof(ColDesc, length)},
    {SQL_DESC_FIXED_PREC_SCALE, false, Into::Flag, offsetof(ColDesc, fixedPrecScale)},
    {SQL_DESC_SCHEMA_NAME, false, Into::Text, offsetof(ColDesc, schemaName)},
    {SQL_DESC_CATALOG_NAME, false, Into::Text, offsetof(ColDesc, catalogName)},
    {SQL_DESC_TABLE_NAME, false, Into::Text, offsetof(ColDesc, tableName)},
    {SQL_DESC_TYPE_NAME, false, Into::Text, offsetof(ColDesc, typeName)},
    {SQL_COLUMN_UNSIGNED, true, Into::Flag, offsetof(ColDesc, isUnsigned)},
    {SQL_COLUMN_UPDATABLE, true, Into::Number, offsetof(ColDesc, updatable)},
};

constexpr SQLSMALLINT kTextSize = 256;

SQLRETURN ReadAttribute(SQLHSTMT stmt, SQLUSMALLINT column, const AttributeStep& step, char* field) {
    char* text = step.kind == Into::Text ? field : nullptr;
    const SQLSMALLINT textSize = text ? kTextSize : 0;
    SQLLEN number = 0;
    const SQLRETURN rc = step.versionTwoCall
                             ? SQLColAttributes(stmt, column, step.id, text, textSize, nullptr, &number)
                             : SQLColAttribute(stmt, column, step.id, text, textSize, nullptr, &number);
    if (OdbcSucceeded(rc) && step.kind != Into::Text) {
        const int32_t value = step.kind == Into::Flag ? number == 1 : static_cast<int32_t>(number);
        memcpy(field, &value, sizeof value);
    }
    return rc;
}

}  // namespace

bool AttributeUnsupported(SQLHSTMT stmt) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR text[SQL_MAX_MESSAGE_LENGTH];
    SQLSMALLINT length = 0;
    if (!OdbcSucceeded(SQLGetDiagRec(SQL_HANDLE_STMT, stmt, 1, state, &native, text, sizeof text, &length)))
        return false;
    return strcmp(reinterpret_cast<char*>(state), "HY091") == 0 || strcmp(reinterpret_cast<char*>(state), "HYC00") == 0;
}

int32_t DescribeColumn(SQLHSTMT stmt, SQLUSMALLINT column, ColDesc* desc) {
    SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLRETURN rc = SQLDescribeCol(stmt, column, reinterpret_cast<SQLCHAR*>(desc->name), kTextSize, &nameLength,
                                  &type, &size, &digits, &nullable);
    if (OdbcSucceeded(rc)) {
        // The described type lands in the low half; the full-width type
        // attribute then replaces the whole field when the driver gives it.
        memcpy(&desc->dataType, &type, sizeof type);
        desc->columnSize = static_cast<uint32_t>(size);
        desc->decimalDigits = digits;
        desc->nullable = nullable;
        SQLLEN fullType = 0;
        if (OdbcSucceeded(SQLColAttribute(stmt, column, SQL_DESC_TYPE, nullptr, 0, nullptr, &fullType)))
            desc->dataType = static_cast<int32_t>(fullType);
        char* record = reinterpret_cast<char*>(desc);
        for (const AttributeStep& step : kSteps) {
            rc = ReadAttribute(stmt, column, step, record + step.offset);
            if (OdbcSucceeded(rc)) continue;
            if (!AttributeUnsupported(stmt)) break;
            memset(record + step.offset, 0, step.kind == Into::Text ? kTextSize : sizeof(int32_t));
            rc = SQL_SUCCESS;
        }
    }
    if (OdbcSucceeded(rc)) return rc;
    RecordDiagnostics(SQL_HANDLE_STMT, stmt);
    return -1;
}

}  // namespace tabrix
