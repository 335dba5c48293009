#include "festivals/festival_help_links.h"

// Item pages of 百度百科, which load everywhere in mainland China (the
// Chinese-language Wikipedia does not for most users there). Item titles are
// kept as UTF-8 (u8 literals) and percent-encoded when the table is built;
// names are GBK like every text of the program.
const char kGeneralFestivalHelpLink[] = "https://baike.baidu.com/item/%E8%8A%82%E6%97%A5";  // 节日

namespace {

const char kArticleBase[] = "https://baike.baidu.com/item/";

struct HelpRow {
    const char* name;   // GBK
    const char* title;  // UTF-8 item title
};

// The counting days after the winter solstice share the page of the custom.
const char kCountingDaysTitle[] = u8"数九";

const HelpRow kHelpRows[] = {
    // The 24 solar terms.
    {"立春", u8"立春"},
    {"雨水", u8"雨水"},
    {"惊蛰", u8"惊蛰"},
    {"春分", u8"春分"},
    {"清明", u8"清明"},
    {"谷雨", u8"谷雨"},
    {"立夏", u8"立夏"},
    {"小满", u8"小满"},
    {"芒种", u8"芒种"},
    {"夏至", u8"夏至"},
    {"小暑", u8"小暑"},
    {"大暑", u8"大暑"},
    {"立秋", u8"立秋"},
    {"处暑", u8"处暑"},
    {"白露", u8"白露"},
    {"秋分", u8"秋分"},
    {"寒露", u8"寒露"},
    {"霜降", u8"霜降"},
    {"立冬", u8"立冬"},
    {"小雪", u8"小雪"},
    {"大雪", u8"大雪"},
    {"冬至", u8"冬至"},
    {"小寒", u8"小寒"},
    {"大寒", u8"大寒"},
    // Traditional days of the lunar year.
    {"除夕", u8"除夕"},
    {"春节", u8"春节"},
    {"路神节", u8"破五"},
    {"元宵节", u8"元宵节"},
    {"龙抬头", u8"龙抬头"},
    {"佛诞节", u8"佛诞"},
    {"端午节", u8"端午节"},
    {"七夕节", u8"七夕"},
    {"中元节", u8"中元节"},
    {"财神节", u8"财神"},
    {"中秋节", u8"中秋节"},
    {"重阳节", u8"重阳节"},
    {"祭祖节", u8"寒衣节"},
    {"下元节", u8"下元节"},
    {"腊八节", u8"腊八节"},
    {"小年", u8"小年"},
    {"传统扫房日", u8"大扫除"},
    // Public and international days.
    {"元旦", u8"元旦"},
    {"国际麻风节", u8"麻风病"},
    {"世界湿地日", u8"世界湿地日"},
    {"气象节", u8"气象学"},
    {"情人节", u8"情人节"},
    {"爱耳日", u8"耳"},
    {"志愿者服务日", u8"志愿者"},
    {"妇女节", u8"国际妇女节"},
    {"保护母亲河日", u8"黄河"},
    {"植树节", u8"植树节"},
    {"白色情人节", u8"白色情人节"},
    {"国际警察日", u8"警察"},
    {"消费者权益日", u8"世界消费者权益日"},
    {"森林日", u8"国际森林日"},
    {"睡眠日", u8"世界睡眠日"},
    {"世界水日", u8"世界水日"},
    {"气象日", u8"世界气象日"},
    {"防治结核病日", u8"世界防治结核病日"},
    {"愚人节", u8"愚人节"},
    {"卫生日", u8"世界卫生日"},
    {"地球日", u8"世界地球日"},
    {"知识产权日", u8"世界知识产权日"},
    {"劳动节", u8"国际劳动节"},
    {"世界哮喘日", u8"哮喘"},
    {"青年节", u8"五四青年节"},
    {"世界红十字日", u8"世界红十字日"},
    {"护士节", u8"国际护士节"},
    {"国际家庭日", u8"国际家庭日"},
    {"世界电信日", u8"世界电信日"},
    {"学生营养日", u8"营养"},
    {"国际牛奶日", u8"世界牛奶日"},
    {"无烟日", u8"世界无烟日"},
    {"母亲节", u8"母亲节"},
    {"儿童节", u8"儿童节"},
    {"环境日", u8"世界环境日"},
    {"爱眼日", u8"眼"},
    {"防治干旱日", u8"世界防治荒漠化和干旱日"},
    {"奥林匹克日", u8"奥林匹克日"},
    {"全国土地日", u8"土地"},
    {"反毒品日", u8"国际禁毒日"},
    {"父亲节", u8"父亲节"},
    {"建党节", u8"中国共产党"},
    {"香港回归", u8"香港回归"},
    {"国际建筑日", u8"建筑学"},
    {"卢沟桥事变", u8"卢沟桥事变"},
    {"航海日", u8"航海"},
    {"建军节", u8"中国人民解放军建军节"},
    {"电影节", u8"电影节"},
    {"日本投降", u8"日本投降"},
    {"抗日战争胜利纪念日", u8"中国人民抗日战争胜利纪念日"},
    {"国际扫盲日", u8"国际扫盲日"},
    {"教师节", u8"教师节"},
    {"中国脑健康日", u8"脑"},
    {"臭氧层保护日", u8"国际保护臭氧层日"},
    {"九.一八", u8"九一八事变"},
    {"爱牙日", u8"牙齿"},
    {"世界停火日", u8"国际和平日"},
    {"世界旅游日", u8"世界旅游日"},
    {"国庆节", u8"国庆节"},
    {"国际音乐日", u8"音乐"},
    {"国际老年人日", u8"国际老年人日"},
    {"世界动物日", u8"世界动物日"},
    {"全国高血压日", u8"高血压"},
    {"世界邮政日", u8"世界邮政日"},
    {"辛亥革命", u8"辛亥革命"},
    {"世界标准日", u8"世界标准日"},
    {"国际盲人节", u8"视觉障碍"},
    {"农村妇女日", u8"国际农村妇女日"},
    {"粮食日", u8"世界粮食日"},
    {"消除贫困日", u8"国际消除贫困日"},
    {"联合国日", u8"联合国日"},
    {"发展信息日", u8"世界发展信息日"},
    {"男性健康日", u8"男性"},
    {"万圣节", u8"诸圣节"},
    {"住房日", u8"世界人居日"},
    {"记者节", u8"中国记者节"},
    {"消防宣传日", u8"消防"},
    {"光棍节", u8"光棍节"},
    {"联合国糖尿病日", u8"世界糖尿病日"},
    {"大学生节", u8"大学生"},
    {"感恩节", u8"感恩节"},
    {"世界艾滋病日", u8"世界艾滋病日"},
    {"残疾人日", u8"国际残疾人日"},
    {"法制宣传日", u8"国家宪法日"},
    {"世界足球日", u8"足球"},
    {"人权日", u8"人权日"},
    {"南京大屠杀纪念日", u8"南京大屠杀死难者国家公祭日"},
    {"澳门回归", u8"澳门回归"},
    {"平安夜", u8"平安夜"},
    {"圣诞节", u8"圣诞节"},
    {"毛泽东诞辰", u8"毛泽东"},
    {"生物多样性日", u8"国际生物多样性日"},
    // The counting days from the winter solstice.
    {"二九", kCountingDaysTitle},
    {"三九", kCountingDaysTitle},
    {"四九", kCountingDaysTitle},
    {"五九", kCountingDaysTitle},
    {"六九", kCountingDaysTitle},
    {"七九", kCountingDaysTitle},
    {"八九", kCountingDaysTitle},
    {"九九", kCountingDaysTitle},
};

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

std::string PercentEncode(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char byte : bytes) {
        const unsigned char c = static_cast<unsigned char>(byte);
        if (IsUnreserved(c)) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        }
    }
    return encoded;
}

std::vector<FestivalHelpLink> FestivalHelpLinks() {
    std::vector<FestivalHelpLink> links;
    links.reserve(sizeof kHelpRows / sizeof kHelpRows[0]);
    for (const HelpRow& row : kHelpRows) links.push_back({row.name, kArticleBase + PercentEncode(row.title)});
    return links;
}

std::string FestivalHelpLinkFor(const std::string& name) {
    for (const HelpRow& row : kHelpRows) {
        if (name == row.name) return kArticleBase + PercentEncode(row.title);
    }
    return kGeneralFestivalHelpLink;
}
