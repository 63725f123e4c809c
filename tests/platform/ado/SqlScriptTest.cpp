#include "platform/ado/SqlScript.h"

#include <gtest/gtest.h>

TEST(SqlScript, CutsOnlyAtSemicolonsOutsideQuotesBodiesAndComments)
{
    const QString script = "-- a comment; with a semicolon\n"
                           "CREATE TABLE t (a TEXT);\n"
                           "INSERT INTO t VALUES ('x;y', 'it''s; fine');\n"
                           "CREATE FUNCTION f() RETURNS void AS $$ BEGIN PERFORM 1; END; $$ LANGUAGE plpgsql;\n"
                           "CREATE FUNCTION g() RETURNS void AS $body$ SELECT ';'; $body$ LANGUAGE sql;\n"
                           "/* block; comment */ SELECT \"odd;name\" FROM t;\n"
                           "-- only a trailing comment\n";
    const QStringList statements = ado::SqlScript::Statements(script);
    ASSERT_EQ(statements.size(), 5);
    EXPECT_EQ(statements[0], "-- a comment; with a semicolon\nCREATE TABLE t (a TEXT)");
    EXPECT_EQ(statements[1], "INSERT INTO t VALUES ('x;y', 'it''s; fine')");
    EXPECT_TRUE(statements[2].endsWith("END; $$ LANGUAGE plpgsql"));
    EXPECT_TRUE(statements[3].endsWith("$body$ LANGUAGE sql"));
    EXPECT_EQ(statements[4], "/* block; comment */ SELECT \"odd;name\" FROM t");
}
