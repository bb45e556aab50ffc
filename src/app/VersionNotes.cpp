#include "VersionNotes.h"

#include <initializer_list>

namespace {

struct Release {
    const char* version;
    std::initializer_list<const char*> notes;
};

const std::initializer_list<Release> kSimplified = {
    {"3.8.2", {"  1:搜索控件添加属性-查询显示个数", "  使用Lumora 1.9.8 以上版本或 IOS Quenta 未知 版本以上解释執行"}},
    {"3.8.1",
     {"  1:按钮控件添加命令-发送设置显示墙布局模式", "  2:按钮控件添加命令-设置显示墙预布局",
      "  3:按钮控件添加命令-发送显示墙布局数据", "  4:按钮控件添加命令-最小化界面命令", "  5:添加大华平台控件",
      "  6:添加搜索控件", "  7:添加收藏夹控件", "  8:添加帐号控件", "  9:添加设备信息控件",
      "  使用Lumora 1.9.7 以上版本或 IOS Quenta 未知 版本以上解释執行"}},
    {"3.8.0",
     {"  1:添加视频组合框控件", "  2:添加RTSP信息快速设置工具", "  3:滚动视频预览框控件删除属性-方向",
      "  使用Lumora 1.9.6 以上版本或 IOS Quenta 未知 版本以上解释執行"}},
    {"3.7.9",
     {"  1:按钮控件添加命令-设置显示墙分隔模式", "  2:海康威视IVMS8200控件添加属性-电视墙预案",
      "  使用Lumora 1.9.5 以上版本或 IOS Quenta 3.4 版本以上解释执行"}},
    {"3.7.8",
     {"  1:添加海康威视IVMS8200控件",
      "  2:添加音量条控件。该控件默认由音量刻度线和滚动条组成，通过属性设置可以只使用音量刻度线或者滚动条。音量条控件的滚动条跟滚动条控件是一样功能的，但更加美观，通过属性可定义滚动条界面，推荐做为滚动条控件使用",
      "  3:修改视频预览框控件和超链接数据属性提示-3代分布式设备的填写方法",
      "  使用Lumora 1.9.3 以上版本或 IOS Quenta 3.2 版本以上解释执行"}},
    {"3.7.7",
     {"  1:添加主机控件，用户通过该控件可以选择不同的主机", "  2:修改视频预览框控件和超链接数据属性提示-3代分布式设备的填写方法",
      "  3:修改滚动视频预览框的设备信息管理界面-设备信息可输入4K地址",
      "  4:工程数据文件增加构建版本、Lumora最低版本、Quenta最低版本等数据内容，并增加相关判断逻辑",
      "  使用Lumora 1.9.2 以上版本或 IOS Quenta 3.1 版本以上解释执行"}},
    {"3.7.6",
     {"  1:修复显示墙IP组不能设置问题", "  2:增加版本历史查看功能",
      "  使用Lumora 1.9.1 以上版本或 IOS Quenta 2.9 版本以上解释执行"}},
    {"3.7.5", {"  1:添加显示墙边框颜色选项", "  2:增加显示墙版本号,优化场景切换"}},
    {"3.7.4", {"  1:添加RVS平台控件"}},
    {"3.7.3", {"  1:修改E8平台控件描述文字", "  2:增加显示墙屏幕IP组功能"}},
    {"3.7.2", {"  1:添加E8平台控件"}},
    {"3.7.1", {"  1:增加显示墙修改屏幕水平分辨率和垂直分辨率功能"}},
};

const std::initializer_list<Release> kTraditional = {
    {"3.8.2", {"  1:搜索控件添加屬性-查詢顯示個數", "  使用Lumora 1.9.8 以上版本或 IOS Quenta 未知 版本以上解釋執行"}},
    {"3.8.1",
     {"  1:按鈕控件添加命令-發送設置顯示墻布局模式", "  2:按鈕控件添加命令-設置顯示墻預布局",
      "  3:按鈕控件添加命令-發送顯示墻布局數據", "  4:按鈕控件添加命令-最小化界面", "  5:添加大華平臺控件",
      "  6:添加搜索控件", "  7:添加收藏夾控件", "  8:添加帳號控件", "  9:添加設備信息控件",
      "  使用Lumora 1.9.7 以上版本或 IOS Quenta 未知 版本以上解釋執行"}},
    {"3.8.0",
     {"  1:添加視頻組合框控件", "  2:添加RTSP信息快速設置工具", "  3:滾動視頻預覽框控件刪除屬性-方向",
      "  使用Lumora 1.9.6 以上版本或 IOS Quenta 未知 版本以上解釋執行"}},
    {"3.7.9",
     {"  1:按鈕控件添加命令-設置顯示墻分隔模式", "  2:海康威視IVMS8200控件添加属性-電視墻預案",
      "  使用Lumora 1.9.5 以上版本或 IOS Quenta 3.4 版本以上解釋執行"}},
    {"3.7.8",
     {"  1:添加海康威視IVMS8200控件",
      "  2:添加音量條控件。該控件默認由音量刻度線和滾動條組成，通過屬性設置可以只使用音量刻度線或者滾動條。音量條控件的滾動條跟滾動條控件是壹樣功能的，但更加美觀，通過屬性可定義滾動條界面，推薦做為滾動條控件使用",
      "  3:修改視頻預覽框控件和超鏈接數據屬性提示-3代分布式設備的填寫方法",
      "  使用Lumora 1.9.3 以上版本或 IOS Quenta 3.2 版本以上解釋執行"}},
    {"3.7.7",
     {"  1:添加主機控件，用戶通過該控件可以選擇不同的主機", "  2:修改視頻預覽框控件和超鏈接數據屬性提示-3代分布式設備的填寫方法",
      "  3:修改滾動視頻預覽框的設備信息管理界面-設備信息可輸入4K地址",
      "  4:工程數據文件增加構建版本、Lumora最低版本、Quenta最低版本等數據內容，並增加相關判斷邏輯",
      "  使用Lumora 1.9.2 以上版本或 IOS Quenta 3.1 版本以上解釋執行"}},
    {"3.7.6",
     {"  1:修復顯示墻IP組不能設置問題", "  2:增加版本歷史查看功能",
      "  使用Lumora 1.9.1 以上版本或 IOS Quenta 2.9 版本以上解釋執行"}},
    {"3.7.5", {"  1:添加顯示墻邊框顏色選項", "  2:增加顯示墻版本號,優化場景切換"}},
    {"3.7.4", {"  1:添加RVS平臺控件"}},
    {"3.7.3", {"  1:修改E8平臺控件描述文字", "  2:增加顯示墻屏幕IP組功能"}},
    {"3.7.2", {"  1:添加E8平臺控件"}},
    {"3.7.1", {"  1:增加顯示墻修改屏幕水平分辨率和垂直分辨率功能"}},
};

const std::initializer_list<Release> kEnglish = {
    {"3.8.2", {"  Use Lumora 1.9.8 or later or IOS Quenta unknown or later to explain"}},
    {"3.8.1",
     {"  1:Button Add Send Set Display Wall Layout Mode Command", "  2:Button Add Set Display Wall Prelayout Command",
      "  3:Button Add Send Display Wall Layout Data Command", "  4:Button Add Minimization Interface Command",
      "  5:Add dahua platform control", "  6:Add search control", "  7:Add favorites control",
      "  8:Add account control", "  9:Add devices control",
      "  Use Lumora 1.9.7 or later or IOS Quenta unknown or later to explain"}},
    {"3.8.0",
     {"  1:Add video combobox control", "  2:Add RTSP information quick setup tool",
      "  3:Delete the orientation property of the scroll video preview box control",
      "  Use Lumora 1.9.6 or later or IOS Quenta unknown or later to explain"}},
    {"3.7.9",
     {"  1:Button control add command", "  2:HIKVISION IVMS8200 Add TV Wall Plan Options",
      "  Use Lumora 1.9.5 or later or IOS Quenta 3.4 or later to explain"}},
    {"3.7.8",
     {"  1:Add HIKVISION IVMS8200", "  2:Add Volume Bar",
      "  3:Modify video preview box control and hyperlink control data property tips",
      "  Use Lumora 1.9.3 or later or IOS Quenta 3.2 or later to explain"}},
    {"3.7.7",
     {"  1:Add host control", "  2:Modify video preview box control and hyperlink control data property tips",
      "  3:Modify device Info Management Interface",
      "  4:Project data file add build version, Lumora minimum version, Quenta minimum version and other data content",
      "  Use Lumora 1.9.2 or later or IOS Quenta 3.1 or later to explain"}},
    {"3.7.6",
     {"  1:Repair display wall IP group can not set the problem", "  2:add version history view",
      "  Use Lumora 1.9.1 or later or IOS Quenta 2.9 or later to explain"}},
    {"3.7.5", {"  1:Add display wall border color options", "  2:Increase the display wall version number, optimize the scene switch"}},
    {"3.7.4", {"  1:Add RVS control"}},
    {"3.7.3", {"  1:Modify E8 control description", "  2:Add display wall screen IP group"}},
    {"3.7.2", {"  1:Add E8 control"}},
    {"3.7.1", {"  1:Add display wall to modify screen horizontal resolution and vertical resolution"}},
};

} // namespace

QString BuildVersionNotes(int languageIndex)
{
    const std::initializer_list<Release>* set = nullptr;
    switch (languageIndex) {
    case 0: set = &kSimplified; break;
    case 1: set = &kTraditional; break;
    case 2: set = &kEnglish; break;
    default: return {};
    }
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    bool first = true;
    for (const Release& r : *set) {
        if (!first)
            text += crlf; // the empty line between two releases
        first = false;
        text += QString::fromUtf8(r.version) + crlf;
        for (const char* line : r.notes)
            text += QString::fromUtf8(line) + crlf;
    }
    text.chop(crlf.size()); // no line end after the last line
    return text;
}
