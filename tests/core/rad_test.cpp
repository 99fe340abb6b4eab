#include <gtest/gtest.h>

#include "RsdData.h"

TEST(DataSet, RecordsKeepOrderAndOwnCopies) {
    CRsdData set;
    EXPECT_EQ(set.GetLast(), nullptr);
    CRad rad;
    rad.m_nSelect = 1;
    for (int i = 0; i < 5; ++i) {
        rad.m_time = 1000 + i;
        if (i == 2) rad.SetBlock(kQS300, SensorData(kQS300));
        EXPECT_EQ(set.AddRecord(rad), i);
    }
    EXPECT_EQ(set.GetAt(0).m_nSelect, 0);
    rad.Block(kQS300)->ET = 77;  // the set holds its own copy
    EXPECT_EQ(set.GetAt(2).Block(kQS300)->ET, 0);
    EXPECT_EQ(set.GetAt(1).Block(kQS300), nullptr);

    set.RemoveAt(1);
    ASSERT_EQ(set.GetCount(), 4);
    EXPECT_EQ(set.GetAt(1).m_time, 1002);
    EXPECT_EQ(set.GetLast()->m_time, 1004);
    EXPECT_THROW(set.GetAt(4), std::out_of_range);
    EXPECT_THROW(set.GetAt(-1), std::out_of_range);
    EXPECT_THROW(set.RemoveAt(4), std::out_of_range);
    set.Clear();
    EXPECT_EQ(set.GetCount(), 0);
}

TEST(TextField, CutsAtThirtyOneBytes) {
    TextField f;
    SetTextField(f, std::string(40, 'x'));
    EXPECT_EQ(std::string(f), std::string(31, 'x'));
}
