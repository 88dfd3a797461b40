<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="zh_CN">
<context>
    <name>AnalysisKeeper</name>
    <message>
        <source>分析未能保存：%1</source>
        <translation>Не удалось сохранить анализ: %1</translation>
    </message>
</context>
<context>
    <name>AnalysisStore</name>
    <message>
        <source>提示</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>分析数据库已损坏或来自更新的版本，已移至：
%1
已新建一个数据库。</source>
        <translation>База анализов повреждена или создана более новой версией и перемещена в:
%1
Создана новая база.</translation>
    </message>
</context>
<context>
    <name>Analysis_Widget</name>
    <message>
        <source>图像信息</source>
        <translation>Информация об изображении</translation>
    </message>
    <message>
        <source>温度信息</source>
        <translation>Информация о температуре</translation>
    </message>
    <message>
        <source>文件名称:</source>
        <translation>Имя файла:</translation>
    </message>
    <message>
        <source>文件大小:</source>
        <translation>Размер файла:</translation>
    </message>
    <message>
        <source>时间:</source>
        <translation>Время:</translation>
    </message>
    <message>
        <source>发射率:</source>
        <translation>Излучательная способность:</translation>
    </message>
    <message>
        <source>大小:</source>
        <translation>Размер:</translation>
    </message>
    <message>
        <source>单位:</source>
        <translation>Единицы:</translation>
    </message>
    <message>
        <source>中心温度:</source>
        <translation>Температура в центре:</translation>
    </message>
    <message>
        <source>最高温度:</source>
        <translation>Максимальная температура:</translation>
    </message>
    <message>
        <source>最低温度:</source>
        <translation>Минимальная температура:</translation>
    </message>
    <message>
        <source>平均温度:</source>
        <translation>Средняя температура:</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>高</source>
        <translation>Макс.</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Мин.</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Среднее</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Точка</translation>
    </message>
    <message>
        <source>线</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>圆</source>
        <translation>Круг</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>Сохранить файл</translation>
    </message>
    <message>
        <source>测温信息</source>
        <translation>Информация об измерении температуры</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Уведомление</translation>
    </message>
    <message>
        <source>导出文件成功!</source>
        <translation>Файл успешно экспортирован!</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Выбор</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Очистить всё</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Экспорт отчёта</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>温度数据 (CSV)</source>
        <translation>Температуры (CSV)</translation>
    </message>
    <message>
        <source>测量结果 (CSV)</source>
        <translation>Измерения (CSV)</translation>
    </message>
    <message>
        <source>图片 (PNG)</source>
        <translation>Изображение (PNG)</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation>Не удалось записать файл: %1</translation>
    </message>
    <message>
        <source>图表</source>
        <translation>Графики</translation>
    </message>
    <message>
        <source>温度剖面</source>
        <translation>Профиль линии</translation>
    </message>
    <message>
        <source>保存剖面 (CSV)</source>
        <translation>Сохранить профиль (CSV)</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Гистограмма</translation>
    </message>
    <message>
        <source>等温线</source>
        <translation>Изотерма</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>高于下限</source>
        <translation>Выше нижней</translation>
    </message>
    <message>
        <source>低于上限</source>
        <translation>Ниже верхней</translation>
    </message>
    <message>
        <source>上下限之间</source>
        <translation>Между</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>От</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>До</translation>
    </message>
    <message>
        <source>锁定色标</source>
        <translation>Фиксированная шкала</translation>
    </message>
    <message>
        <source>所有图片使用同一温度范围</source>
        <translation>Один диапазон для всех снимков</translation>
    </message>
    <message>
        <source>发现</source>
        <translation>Заключение</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Заголовок</translation>
    </message>
    <message>
        <source>设备或位置</source>
        <translation>Оборудование или место</translation>
    </message>
    <message>
        <source>参考温度</source>
        <translation>Эталон</translation>
    </message>
    <message>
        <source>严重程度</source>
        <translation>Серьёзность</translation>
    </message>
    <message>
        <source>建议</source>
        <translation>Предложить</translation>
    </message>
    <message>
        <source>按ΔT使用建议的等级</source>
        <translation>Использовать класс, предложенный по ΔT</translation>
    </message>
    <message>
        <source>观察与建议</source>
        <translation>Наблюдение и рекомендация</translation>
    </message>
    <message>
        <source>分析数据库已损坏或来自更新的版本，已移至：
%1
已新建一个数据库。</source>
        <translation type="vanished">База анализов повреждена или создана более новой версией и перемещена в:
%1
Создана новая база.</translation>
    </message>
    <message>
        <source>分析已恢复 — %1</source>
        <translation>Анализ восстановлен — %1</translation>
    </message>
</context>
<context>
    <name>ChartPanel</name>
    <message>
        <source>距离 (像素)</source>
        <translation>Расстояние (пиксели)</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>Пиксели</translation>
    </message>
    <message>
        <source>%1 – %2 %3：%4 个像素</source>
        <translation>%1 – %2 %3: %4 пикс.</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>等温线颜色</source>
        <translation>Цвет изотермы</translation>
    </message>
    <message>
        <source>请选择一条线</source>
        <translation>Выберите линию</translation>
    </message>
    <message>
        <source>整幅图像</source>
        <translation>Весь снимок</translation>
    </message>
</context>
<context>
    <name>FindingPanel</name>
    <message>
        <source>无</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>输入的温度</source>
        <translation>Введённая температура</translation>
    </message>
    <message>
        <source>%1 最高</source>
        <translation>%1, максимум</translation>
    </message>
    <message>
        <source>%1 平均</source>
        <translation>%1, среднее</translation>
    </message>
    <message>
        <source>由您选择；建议：%1</source>
        <translation>Выбрано вами; предлагается: %1</translation>
    </message>
    <message>
        <source>按最大ΔT（%1 %2）建议</source>
        <translation>Предложено по наибольшей ΔT (%1 %2)</translation>
    </message>
    <message>
        <source>设置参考温度后将给出建议</source>
        <translation>Задайте эталон, чтобы получить предложение класса</translation>
    </message>
</context>
<context>
    <name>Findings</name>
    <message>
        <source>重大缺陷；立即维修</source>
        <translation>серьёзный дефект; немедленный ремонт</translation>
    </message>
    <message>
        <source>持续监测直至修复</source>
        <translation>наблюдать до устранения</translation>
    </message>
    <message>
        <source>很可能存在缺陷；择时维修</source>
        <translation>вероятный дефект; ремонт по возможности</translation>
    </message>
    <message>
        <source>可能存在缺陷；需调查</source>
        <translation>возможный дефект; требуется проверка</translation>
    </message>
    <message>
        <source>无</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>InspectionReport</name>
    <message>
        <source>输入的温度 %1 %2</source>
        <translation type="vanished">Введённая температура %1 %2</translation>
    </message>
    <message>
        <source>%1 最高</source>
        <translation>%1, максимум</translation>
    </message>
    <message>
        <source>%1 平均</source>
        <translation>%1, среднее</translation>
    </message>
    <message>
        <source>无</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>热成像检测报告</source>
        <translation>Отчёт о тепловизионном обследовании</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>Компания</translation>
    </message>
    <message>
        <source>客户</source>
        <translation>Заказчик</translation>
    </message>
    <message>
        <source>现场</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>检测人员</source>
        <translation>Специалист</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>热像仪</source>
        <translation>Тепловизор</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Снимок</translation>
    </message>
    <message>
        <source>发现</source>
        <translation type="vanished">Заключения</translation>
    </message>
    <message>
        <source>发现汇总</source>
        <translation>Сводка заключений</translation>
    </message>
    <message>
        <source>没有发现。</source>
        <translation>Заключений нет.</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Место</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Заголовок</translation>
    </message>
    <message>
        <source>最高温度</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <source>严重程度</source>
        <translation>Серьёзность</translation>
    </message>
    <message>
        <source>建议措施</source>
        <translation>Рекомендуемое действие</translation>
    </message>
    <message>
        <source>这张图片无法读取。</source>
        <translation>Этот снимок не удалось прочитать.</translation>
    </message>
    <message>
        <source>（建议）</source>
        <translation>(предложено)</translation>
    </message>
    <message>
        <source>参考温度</source>
        <translation>Эталон</translation>
    </message>
    <message>
        <source>测量（%1）</source>
        <translation>Измерения (%1)</translation>
    </message>
    <message>
        <source>观察与建议</source>
        <translation>Наблюдение и рекомендация</translation>
    </message>
    <message>
        <source>无法读取的图片</source>
        <translation>Снимки, которые не удалось прочитать</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <source>图片数量</source>
        <translation>Снимков</translation>
    </message>
    <message>
        <source>发现数量</source>
        <translation>Заключения</translation>
    </message>
    <message>
        <source>输入的温度 %1</source>
        <translation>Введённая температура %1</translation>
    </message>
</context>
<context>
    <name>InspectionReportDialog</name>
    <message>
        <source>检测报告</source>
        <translation>Отчёт об обследовании</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>Компания</translation>
    </message>
    <message>
        <source>标志图片</source>
        <translation>Логотип</translation>
    </message>
    <message>
        <source>客户</source>
        <translation>Заказчик</translation>
    </message>
    <message>
        <source>现场</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>检测人员</source>
        <translation>Специалист</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>选择标志图片</source>
        <translation>Выберите логотип</translation>
    </message>
    <message>
        <source>图片 (*.png *.jpg *.jpeg *.bmp *.svg)</source>
        <translation>Изображения (*.png *.jpg *.jpeg *.bmp *.svg)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>正在等待连接...</source>
        <translation>Ожидание подключения...</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>用户手册</source>
        <translation>Руководство пользователя</translation>
    </message>
    <message>
        <source>投屏模式</source>
        <translation>Режим экрана</translation>
    </message>
    <message>
        <source>U盘模式</source>
        <translation>Режим USB-накопителя</translation>
    </message>
    <message>
        <source>已断开连接</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>打开文件夹...</source>
        <translation>Открыть папку...</translation>
    </message>
    <message>
        <source>选择一个目录</source>
        <translation>Выберите папку</translation>
    </message>
    <message>
        <source>文件夹：%1</source>
        <translation>Папка: %1</translation>
    </message>
    <message>
        <source>打开录像...</source>
        <translation>Открыть запись...</translation>
    </message>
    <message>
        <source>演示</source>
        <translation>Демонстрация</translation>
    </message>
    <message>
        <source>打开录像</source>
        <translation>Открыть запись</translation>
    </message>
    <message>
        <source>录像 (*.mkv)</source>
        <translation>Записи (*.mkv)</translation>
    </message>
    <message>
        <source>找不到文件：%1</source>
        <translation>Файл %1 не найден.</translation>
    </message>
    <message>
        <source>%1 不是 VX305 的录像，无法回放。</source>
        <translation>%1 не является записью VX305, воспроизвести её нельзя.</translation>
    </message>
    <message>
        <source>%1 已损坏或不是视频文件，无法回放。</source>
        <translation>Файл %1 повреждён или не является видео, воспроизвести его нельзя.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <source>回放：%1</source>
        <translation>Воспроизведение: %1</translation>
    </message>
    <message>
        <source>没有热像仪也可以试用本软件。
要观看实时画面的演示（一段录像），还是打开演示图片？</source>
        <translation>Программу можно опробовать без тепловизора.
Показать живую демонстрацию (запись) или открыть демонстрационные снимки?</translation>
    </message>
    <message>
        <source>实时画面</source>
        <translation>Живая демонстрация</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Снимки</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>报警时段</source>
        <translation>Периоды тревоги</translation>
    </message>
    <message>
        <source>最大温度</source>
        <translation>Максимальная температура</translation>
    </message>
    <message>
        <source>报警阈值</source>
        <translation>Порог тревоги</translation>
    </message>
</context>
<context>
    <name>VideoExport</name>
    <message>
        <source>最大温度 %1   报警阈值 %2</source>
        <translation>Макс. %1   Порог %2</translation>
    </message>
</context>
<context>
    <name>camer_window</name>
    <message>
        <source>VX305</source>
        <translation>VX305</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Видео</translation>
    </message>
    <message>
        <source>报警历史</source>
        <translation>История тревог</translation>
    </message>
    <message>
        <source>拍照</source>
        <translation>Сделать снимок</translation>
    </message>
    <message>
        <source>报警设置</source>
        <translation>Настройки тревоги</translation>
    </message>
    <message>
        <source>启用报警</source>
        <translation>Включить тревогу</translation>
    </message>
    <message>
        <source>声音报警</source>
        <translation>Звуковая тревога</translation>
    </message>
    <message>
        <source>产生报警文件</source>
        <translation>Создавать файлы тревоги</translation>
    </message>
    <message>
        <source>报警信息</source>
        <translation>Информация о тревоге</translation>
    </message>
    <message>
        <source>最大温度</source>
        <translation>Максимальная температура</translation>
    </message>
    <message>
        <source>报警阈值</source>
        <translation>Порог тревоги</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Излучательная способность</translation>
    </message>
    <message>
        <source>停止当前报警</source>
        <translation>Остановить тревогу</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>Сохранить файл</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>图片保存失败，请检查文件名和文件夹!</source>
        <translation>Не удалось сохранить снимок. Проверьте имя файла и папку!</translation>
    </message>
    <message>
        <source>热像仪的摄像头正被其他程序占用。请关闭该程序，然后重新连接。</source>
        <translation>Камера тепловизора занята другой программой. Закройте её и подключитесь снова.</translation>
    </message>
    <message>
        <source>没有打开热像仪摄像头（/dev/video*）的权限。请将您的用户加入 video 组，然后重新登录。</source>
        <translation>Нет прав на доступ к камере тепловизора (/dev/video*). Добавьте пользователя в группу video и войдите в систему заново.</translation>
    </message>
    <message>
        <source>热像仪已停止发送图像。请检查连接线。</source>
        <translation>Тепловизор перестал передавать изображение. Проверьте кабель.</translation>
    </message>
    <message>
        <source>无法启动摄像头：%1</source>
        <translation>Не удалось запустить камеру: %1</translation>
    </message>
    <message>
        <source>趋势</source>
        <translation>Тренд</translation>
    </message>
    <message>
        <source>保存读数</source>
        <translation>Сохранить показания</translation>
    </message>
    <message>
        <source>读数保存失败，请检查文件名和文件夹!</source>
        <translation>Не удалось сохранить показания. Проверьте имя файла и папку!</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>单帧</source>
        <translation>Кадр</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>终点</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>导出视频</source>
        <translation>Экспорт видео</translation>
    </message>
    <message>
        <source>录像</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>报警片段</source>
        <translation>Видео тревог</translation>
    </message>
    <message>
        <source>报警前(秒)</source>
        <translation>До (с)</translation>
    </message>
    <message>
        <source>报警后(秒)</source>
        <translation>После (с)</translation>
    </message>
    <message>
        <source>回放时也产生报警文件</source>
        <translation>Файлы тревог при воспроизведении</translation>
    </message>
    <message>
        <source>播放报警片段</source>
        <translation>Воспроизвести видео тревоги</translation>
    </message>
    <message>
        <source>无法播放录像：%1</source>
        <translation>Не удаётся воспроизвести запись: %1</translation>
    </message>
    <message>
        <source>导出视频...</source>
        <translation>Экспорт видео...</translation>
    </message>
    <message>
        <source>回放：%1</source>
        <translation>Воспроизведение: %1</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>无法开始录像：%1</source>
        <translation>Не удаётся начать запись: %1</translation>
    </message>
    <message>
        <source>录像已停止：%1
已写入的部分可以播放：%2</source>
        <translation>Запись остановлена: %1
Записанное можно воспроизвести: %2</translation>
    </message>
    <message>
        <source>停止录像 %1 · %2</source>
        <translation>Стоп %1 · %2</translation>
    </message>
    <message>
        <source>起点 %1</source>
        <translation>Начало %1</translation>
    </message>
    <message>
        <source>终点 %1</source>
        <translation>Конец %1</translation>
    </message>
    <message>
        <source>正在导出视频...</source>
        <translation>Экспорт видео...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <source>已导出 %1 帧：%2</source>
        <translation>Экспортировано кадров: %1 — %2</translation>
    </message>
    <message>
        <source>视频导出失败：%1</source>
        <translation>Не удалось экспортировать видео: %1</translation>
    </message>
    <message>
        <source>MQTT：正在连接</source>
        <translation>MQTT: подключение</translation>
    </message>
    <message>
        <source>MQTT：已连接</source>
        <translation>MQTT: подключено</translation>
    </message>
    <message>
        <source>MQTT：代理拒绝连接</source>
        <translation>MQTT: брокер отказал</translation>
    </message>
    <message>
        <source>MQTT：无法连接代理</source>
        <translation>MQTT: брокер недоступен</translation>
    </message>
    <message>
        <source>MQTT：连接中断，正在重连</source>
        <translation>MQTT: связь потеряна, переподключение</translation>
    </message>
    <message>
        <source>MQTT：地址无效</source>
        <translation>MQTT: неверный адрес</translation>
    </message>
</context>
<context>
    <name>photo_window</name>
    <message>
        <source>VX305</source>
        <translation>VX305</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>移动磁盘</source>
        <translation>Съёмный диск</translation>
    </message>
    <message>
        <source>图片信息</source>
        <translation>Просмотр</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>№</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Изображение</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>该图片解析失败，请确认型号是否正确!</source>
        <translation>Не удалось разобрать изображение. Проверьте, правильно ли выбрана модель!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Уведомление</translation>
    </message>
    <message>
        <source>检查到U盘中同时含有VX300和VX305的文件
请选择打开哪一项？</source>
        <translation>На USB-накопителе найдены файлы VX300 и VX305.
Какие из них открыть?</translation>
    </message>
    <message>
        <source>未找到移动磁盘</source>
        <translation>Съёмный диск не найден.</translation>
    </message>
    <message>
        <source>所选磁盘中既没有VX305的“DCIM_100”文件夹，也没有VX300的“Images”文件夹</source>
        <translation>На выбранном диске нет ни папки VX305 «DCIM_100», ни папки VX300 «Images».</translation>
    </message>
    <message>
        <source>为所选图片生成报告...</source>
        <translation>Отчёты для выбранных...</translation>
    </message>
    <message>
        <source>无法从文件夹判断图片的型号。
这些图片是哪一型号拍摄的？</source>
        <translation>По папке нельзя определить модель.
Каким тепловизором сняты эти изображения?</translation>
    </message>
    <message>
        <source>选择保存报告的文件夹</source>
        <translation>Выберите папку для отчётов</translation>
    </message>
    <message>
        <source>所选文件夹中已有同名报告：%1 份。</source>
        <translation>В выбранной папке уже есть отчёты с такими именами: %1.</translation>
    </message>
    <message>
        <source>全部替换</source>
        <translation>Заменить все</translation>
    </message>
    <message>
        <source>全部跳过</source>
        <translation>Пропустить все</translation>
    </message>
    <message>
        <source>正在生成报告...</source>
        <translation>Создание отчётов...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>正在生成报告 %1 / %2...</source>
        <translation>Создание отчёта %1 из %2...</translation>
    </message>
    <message>
        <source>已取消。已生成的报告：%1 份。</source>
        <translation>Отменено. Создано отчётов: %1.</translation>
    </message>
    <message>
        <source>已生成的报告：%1 份。</source>
        <translation>Создано отчётов: %1.</translation>
    </message>
    <message>
        <source>以下图片无法解析，已跳过：</source>
        <translation>Эти изображения не удалось прочитать, они пропущены:</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>为所选图片生成检测报告...</source>
        <translation>Отчёт об обследовании по выбранным снимкам...</translation>
    </message>
    <message>
        <source>检测报告</source>
        <translation>Отчёт об обследовании</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>Сохранённый файл</translation>
    </message>
    <message>
        <source>正在生成检测报告...</source>
        <translation>Создание отчёта об обследовании...</translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation>Не удалось записать файл: %1</translation>
    </message>
    <message>
        <source>检测报告已生成，共 %1 页。</source>
        <translation>Отчёт об обследовании создан: страниц — %1.</translation>
    </message>
    <message>
        <source>以下图片无法解析，已列在报告末尾：</source>
        <translation>Эти снимки не удалось прочитать; они перечислены в конце отчёта:</translation>
    </message>
</context>
<context>
    <name>seting</name>
    <message>
        <source>报警历史路径</source>
        <translation>Путь к истории тревог</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Подтвердить</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>选择一个目录</source>
        <translation>Выберите папку</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Уведомление</translation>
    </message>
    <message>
        <source>改动将在应用重启后生效!</source>
        <translation>Изменения вступят в силу после перезапуска приложения!</translation>
    </message>
    <message>
        <source>路径中不能包含逗号“,”，请选择其他文件夹。</source>
        <translation>Путь не должен содержать запятую «,». Выберите другую папку.</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Анализы</translation>
    </message>
    <message>
        <source>记住分析</source>
        <translation>Запоминать анализы</translation>
    </message>
    <message>
        <source>严重程度标准：ΔT 的下限（°C）</source>
        <translation>Критерии серьёзности: нижние границы ΔT (°C)</translation>
    </message>
    <message>
        <source>等级</source>
        <translation>Класс</translation>
    </message>
    <message>
        <source>建议措施</source>
        <translation>Рекомендуемое действие</translation>
    </message>
    <message>
        <source>对比同类部件</source>
        <translation>Относительно однотипного узла</translation>
    </message>
    <message>
        <source>对比环境空气</source>
        <translation>Относительно окружающего воздуха</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>Восстановить по умолчанию</translation>
    </message>
    <message>
        <source>将实时读数发布到 MQTT 代理</source>
        <translation>Публиковать показания на брокере MQTT</translation>
    </message>
    <message>
        <source>代理地址</source>
        <translation>Адрес брокера</translation>
    </message>
    <message>
        <source>用户名</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>MQTT 代理地址无效：%1</source>
        <translation>Неверный адрес брокера MQTT: %1</translation>
    </message>
</context>
</TS>
