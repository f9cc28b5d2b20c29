#include "AppTitle.h"
#include "MainForm.h"

#include <gtest/gtest.h>

TEST(MainWindow, CarriesTheApplicationTitleAsCaption)
{
    zlv::TMainForm form;
    EXPECT_EQ(form.windowTitle().toStdString(), "Zelvane Editor");
}
