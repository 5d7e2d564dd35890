#include "win32/win32_com_port.h"

#include <gtest/gtest.h>

namespace {

TEST(ComDevicePathTest, OpensComNOrThePortTheVariableNamesByItsDevicePath) {
  struct Row {
    const char* configured;
    const char* path;
  };
  for (const Row& row : {Row{nullptr, R"(\\.\COM3)"}, Row{"COM12", R"(\\.\COM12)"},
                         Row{R"(\\.\COM12)", R"(\\.\COM12)"}}) {
    EXPECT_EQ(ComDevicePath(3, row.configured), row.path);
  }
}

TEST(ComDcbTest, CarriesTheSettingsWithRtsCtsHandshakeAndDtrRaised) {
  struct Row {
    const char* settings;
    DWORD speed;
    BYTE parity;
    BYTE data_bits;
    BYTE stop_bits;
  };
  for (const Row& row : {Row{"19200,n,8,1", 19200, NOPARITY, 8, ONESTOPBIT},
                         Row{"9600,E,7,2", 9600, EVENPARITY, 7, TWOSTOPBITS},
                         Row{"2400,o,5,1.5", 2400, ODDPARITY, 5, ONE5STOPBITS},
                         Row{"300,m,8,1", 300, MARKPARITY, 8, ONESTOPBIT},
                         Row{"300,s,8,1", 300, SPACEPARITY, 8, ONESTOPBIT}}) {
    const DCB dcb = ComDcb(*ParseLineSettings(row.settings));
    EXPECT_EQ(dcb.BaudRate, row.speed) << row.settings;
    EXPECT_EQ(dcb.Parity, row.parity) << row.settings;
    EXPECT_EQ(dcb.fParity != 0, row.parity != NOPARITY) << row.settings;
    EXPECT_EQ(dcb.ByteSize, row.data_bits) << row.settings;
    EXPECT_EQ(dcb.StopBits, row.stop_bits) << row.settings;
  }
  const DCB dcb = ComDcb(*ParseLineSettings("19200,n,8,1"));
  EXPECT_TRUE(dcb.fBinary && dcb.fOutxCtsFlow && !dcb.fOutX && !dcb.fInX && !dcb.fAbortOnError);
  EXPECT_EQ(static_cast<int>(dcb.fRtsControl), RTS_CONTROL_HANDSHAKE);
  EXPECT_EQ(static_cast<int>(dcb.fDtrControl), DTR_CONTROL_ENABLE);
  EXPECT_NE(dcb.XonChar, dcb.XoffChar);  // else the driver refuses the DCB
}

TEST(DescribeOpenErrorTest, SaysWhyThePortCannotBeHad) {
  EXPECT_EQ(DescribeOpenError(ERROR_FILE_NOT_FOUND), "no such device");
  EXPECT_EQ(DescribeOpenError(ERROR_INVALID_NAME), "no such device");
  EXPECT_EQ(DescribeOpenError(ERROR_ACCESS_DENIED), "in use by another program, or access denied");
  EXPECT_EQ(DescribeOpenError(ERROR_SHARING_VIOLATION), "in use by another program");
  EXPECT_EQ(DescribeOpenError(ERROR_INVALID_FUNCTION), "not a serial port");
  // The rarer ones in Windows's words, on one line.
  const std::string other = DescribeOpenError(ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_TRUE(other.ends_with(" (error 8)")) << other;
  EXPECT_EQ(other.find_first_of("\r\n"), std::string::npos) << other;
}

}  // namespace
