#include <gtest/gtest.h>

#include "review/marks_report.h"

namespace stepwise::review {
namespace {

TEST(MarksReport, ConfidentErrorsAndMarksPerQuestion) {
    MarksTable table = parseMarksFile(
        "student,question,confidence,mark,response\r\n"
        "Ann Lee,1,3,0,<b>speed</b> = time\r\n"   // a confident error
        "Ann Lee,2,2,0,wrong but unsure\r\n"
        "Ann Lee,3,3,1,right\r\n"
        "Ann Lee,4,3,0,first answer\r\n"        // answered again since: still a confident error
        "Bob Ng,1, 3 ,w,distance\r\n"           // a confident error
        "Cy Old,1,3,0,gone\r\n");               // no hand-in any more: not counted
    MarksMerge merge(table);
    MarksReport report;
    report.addStudent("Ann Lee", merge.addAnswers({{"Ann Lee", 1, "3", "<b>speed</b> = time"},
                                                   {"Ann Lee", 2, "2", "wrong but unsure"},
                                                   {"Ann Lee", 3, "3", "right"},
                                                   {"Ann Lee", 4, "1", "second answer"},
                                                   {"Ann Lee", 5, "1", "not marked"}}));
    report.addStudent("Bob Ng", merge.addAnswers({{"Bob Ng", 1, " 3 ", "distance"}}));
    merge.finish();

    ASSERT_EQ(report.confidentErrors(1).size(), 2u);
    EXPECT_EQ(report.confidentErrors(1)[1].student, "Bob Ng");
    EXPECT_EQ(report.confidentErrors(4).size(), 1u);
    EXPECT_TRUE(report.confidentErrors(2).empty());
    EXPECT_EQ(report.classFigures().marked, 5);
    EXPECT_EQ(report.classFigures().points, -6 - 2 + 3 - 6 - 6);

    const StudentMarks* ann = report.student("Ann Lee");
    ASSERT_NE(ann, nullptr);
    EXPECT_EQ(report.student("Cy Old"), nullptr);
    EXPECT_NE(htmlCellMark(ann, 3).find("mark-right"), std::string::npos);
    EXPECT_NE(htmlCellMark(ann, 4).find("marked wrong (for an earlier answer)"), std::string::npos);
    EXPECT_EQ(htmlCellMark(ann, 5), "");
    EXPECT_EQ(htmlCellMark(nullptr, 1), "");
    EXPECT_EQ(marksTotalsText(ann->figures), "1 of 4 right (25 %), CBM -2.75");

    const std::string html = htmlClassMarks(report);
    EXPECT_NE(html.find("&lt;b&gt;speed&lt;/b&gt; = time"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_EQ(html.find("gone"), std::string::npos);
    EXPECT_EQ(html.find("wrong but unsure"), std::string::npos);
}

}  // namespace
}  // namespace stepwise::review
