#include "ui/HelpText.h"

namespace ui {

QStringList ExamplePostAddresses(const QString& serviceHost) {
  const QString user = QStringLiteral("http://%1/2803301701/").arg(serviceHost);
  return {user + QStringLiteral("Kx3vB7pQm"), user + QStringLiteral("L2aZ9yTnR")};
}

QString HelpText(const QString& serviceHost) {
  const QStringList examples = ExamplePostAddresses(serviceHost);
  const QString rule = QStringLiteral("================================");
  const QStringList lines = {
      QStringLiteral(
          "微博地址就是该微博打开后的页面地址，在该页面可以查看到详细的【评论、转发、赞】信息。"),
      QString(),
      QStringLiteral("地址格式如："),
      examples[0],
      examples[1],
      QString(),
      QString(),
      rule,
      QString(),
      QString(),
      QStringLiteral("“赞”区的用户，没有重复的"),
      QStringLiteral("“转发”区的用户，有可能存在重复转发者"),
      QStringLiteral("“评论”区的用户，重复评论的用户也不少见"),
      QString(),
      QStringLiteral("因此可以单击“去除重复”按钮将重复的数据删掉。再复制或另存为即可。"),
      QString(),
      rule,
      QString(),
      QStringLiteral("结束页号为 0 或“尾页”时，将采集到最后一页。"),
      QStringLiteral(
          "每页延时毫秒（1000毫秒=1秒），一般默认即可。除非新浪出现判断，不允许频繁读取，"
          "那就可以根据情况设置随机延时，模拟真人浏览频率。"),
      QString(),
      QString(),
      rule,
      QString(),
      QStringLiteral("输出结果，可以在采集格式里："),
      QStringLiteral("输入“#昵称#”来引用发出评论、转发、赞的用户名"),
      QStringLiteral("输入“#ID#”来引用该用户的微博ID"),
      QStringLiteral("输入“#地址#”来引用该用户的微博首页地址。"),
      QStringLiteral("输入“#时间#”来引用评论、转发、赞的发布时间。"),
      QStringLiteral("输入“#评论#”来引用评论内容。"),
      QString(),
      QStringLiteral("(只有转发和评论有时间参数，赞没有)"),
  };
  return lines.join(QLatin1Char('\n'));
}

}  // namespace ui
