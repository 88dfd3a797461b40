<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="zh_CN">
<context>
    <name>AnalysisKeeper</name>
    <message>
        <source>分析未能保存：%1</source>
        <translation>분석을 저장할 수 없습니다: %1</translation>
    </message>
</context>
<context>
    <name>AnalysisStore</name>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>分析数据库已损坏或来自更新的版本，已移至：
%1
已新建一个数据库。</source>
        <translation>분석 데이터베이스가 손상되었거나 최신 버전에서 만들어져 다음 위치로 옮겼습니다:
%1
새 데이터베이스를 만들었습니다.</translation>
    </message>
</context>
<context>
    <name>Analysis_Widget</name>
    <message>
        <source>图像信息</source>
        <translation>이미지 정보</translation>
    </message>
    <message>
        <source>温度信息</source>
        <translation>온도 정보</translation>
    </message>
    <message>
        <source>文件名称:</source>
        <translation>파일 이름:</translation>
    </message>
    <message>
        <source>文件大小:</source>
        <translation>파일 크기:</translation>
    </message>
    <message>
        <source>时间:</source>
        <translation>시간:</translation>
    </message>
    <message>
        <source>发射率:</source>
        <translation>방사율:</translation>
    </message>
    <message>
        <source>大小:</source>
        <translation>크기:</translation>
    </message>
    <message>
        <source>单位:</source>
        <translation>단위:</translation>
    </message>
    <message>
        <source>中心温度:</source>
        <translation>중심 온도:</translation>
    </message>
    <message>
        <source>最高温度:</source>
        <translation>최고 온도:</translation>
    </message>
    <message>
        <source>最低温度:</source>
        <translation>최저 온도:</translation>
    </message>
    <message>
        <source>平均温度:</source>
        <translation>평균 온도:</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>유형</translation>
    </message>
    <message>
        <source>高</source>
        <translation>최고</translation>
    </message>
    <message>
        <source>低</source>
        <translation>최저</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>평균</translation>
    </message>
    <message>
        <source>点</source>
        <translation>점</translation>
    </message>
    <message>
        <source>线</source>
        <translation>선</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>사각형</translation>
    </message>
    <message>
        <source>圆</source>
        <translation>원</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>파일 저장</translation>
    </message>
    <message>
        <source>测温信息</source>
        <translation>온도 측정 정보</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>导出文件成功!</source>
        <translation>파일을 내보냈습니다!</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>선택</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>삭제</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>모두 지우기</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>색상</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>보고서 내보내기</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>내보내기</translation>
    </message>
    <message>
        <source>温度数据 (CSV)</source>
        <translation>온도 데이터 (CSV)</translation>
    </message>
    <message>
        <source>测量结果 (CSV)</source>
        <translation>측정 결과 (CSV)</translation>
    </message>
    <message>
        <source>图片 (PNG)</source>
        <translation>사진 (PNG)</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation>파일을 쓸 수 없습니다: %1</translation>
    </message>
    <message>
        <source>图表</source>
        <translation>차트</translation>
    </message>
    <message>
        <source>温度剖面</source>
        <translation>라인 프로파일</translation>
    </message>
    <message>
        <source>保存剖面 (CSV)</source>
        <translation>프로파일 저장 (CSV)</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>히스토그램</translation>
    </message>
    <message>
        <source>等温线</source>
        <translation>등온선</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>끄기</translation>
    </message>
    <message>
        <source>高于下限</source>
        <translation>하한 이상</translation>
    </message>
    <message>
        <source>低于上限</source>
        <translation>상한 이하</translation>
    </message>
    <message>
        <source>上下限之间</source>
        <translation>범위 내</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>하한</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>상한</translation>
    </message>
    <message>
        <source>锁定色标</source>
        <translation>색 눈금 고정</translation>
    </message>
    <message>
        <source>所有图片使用同一温度范围</source>
        <translation>모든 이미지에 같은 범위</translation>
    </message>
    <message>
        <source>发现</source>
        <translation>소견</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>제목</translation>
    </message>
    <message>
        <source>设备或位置</source>
        <translation>장비 또는 위치</translation>
    </message>
    <message>
        <source>参考温度</source>
        <translation>기준</translation>
    </message>
    <message>
        <source>严重程度</source>
        <translation>심각도</translation>
    </message>
    <message>
        <source>建议</source>
        <translation>제안</translation>
    </message>
    <message>
        <source>按ΔT使用建议的等级</source>
        <translation>ΔT에서 제안된 등급 사용</translation>
    </message>
    <message>
        <source>观察与建议</source>
        <translation>관찰 및 권고</translation>
    </message>
    <message>
        <source>分析数据库已损坏或来自更新的版本，已移至：
%1
已新建一个数据库。</source>
        <translation type="vanished">분석 데이터베이스가 손상되었거나 최신 버전에서 만들어져 다음 위치로 옮겼습니다:
%1
새 데이터베이스를 만들었습니다.</translation>
    </message>
    <message>
        <source>分析已恢复 — %1</source>
        <translation>분석 복원됨 — %1</translation>
    </message>
</context>
<context>
    <name>ChartPanel</name>
    <message>
        <source>距离 (像素)</source>
        <translation>거리 (픽셀)</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>픽셀</translation>
    </message>
    <message>
        <source>%1 – %2 %3：%4 个像素</source>
        <translation>%1 – %2 %3: %4 픽셀</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>온도</translation>
    </message>
    <message>
        <source>等温线颜色</source>
        <translation>등온선 색상</translation>
    </message>
    <message>
        <source>请选择一条线</source>
        <translation>선을 선택하십시오</translation>
    </message>
    <message>
        <source>整幅图像</source>
        <translation>전체 이미지</translation>
    </message>
</context>
<context>
    <name>FindingPanel</name>
    <message>
        <source>无</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>输入的温度</source>
        <translation>입력한 온도</translation>
    </message>
    <message>
        <source>%1 最高</source>
        <translation>%1 최고</translation>
    </message>
    <message>
        <source>%1 平均</source>
        <translation>%1 평균</translation>
    </message>
    <message>
        <source>由您选择；建议：%1</source>
        <translation>직접 선택함; 제안: %1</translation>
    </message>
    <message>
        <source>按最大ΔT（%1 %2）建议</source>
        <translation>최대 ΔT(%1 %2)에서 제안됨</translation>
    </message>
    <message>
        <source>设置参考温度后将给出建议</source>
        <translation>기준을 설정하면 등급이 제안됩니다</translation>
    </message>
</context>
<context>
    <name>Findings</name>
    <message>
        <source>重大缺陷；立即维修</source>
        <translation>중대한 결함; 즉시 수리</translation>
    </message>
    <message>
        <source>持续监测直至修复</source>
        <translation>수정될 때까지 감시</translation>
    </message>
    <message>
        <source>很可能存在缺陷；择时维修</source>
        <translation>결함 가능성 높음; 시간이 허락할 때 수리</translation>
    </message>
    <message>
        <source>可能存在缺陷；需调查</source>
        <translation>결함 가능성; 조사 필요</translation>
    </message>
    <message>
        <source>无</source>
        <translation>없음</translation>
    </message>
</context>
<context>
    <name>InspectionReport</name>
    <message>
        <source>输入的温度 %1 %2</source>
        <translation type="vanished">입력한 온도 %1 %2</translation>
    </message>
    <message>
        <source>%1 最高</source>
        <translation>%1 최고</translation>
    </message>
    <message>
        <source>%1 平均</source>
        <translation>%1 평균</translation>
    </message>
    <message>
        <source>无</source>
        <translation>없음</translation>
    </message>
    <message>
        <source>热成像检测报告</source>
        <translation>열화상 점검 보고서</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>회사</translation>
    </message>
    <message>
        <source>客户</source>
        <translation>고객</translation>
    </message>
    <message>
        <source>现场</source>
        <translation>현장</translation>
    </message>
    <message>
        <source>检测人员</source>
        <translation>점검자</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>날짜</translation>
    </message>
    <message>
        <source>热像仪</source>
        <translation>열화상 카메라</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>사진</translation>
    </message>
    <message>
        <source>发现</source>
        <translation type="vanished">소견</translation>
    </message>
    <message>
        <source>发现汇总</source>
        <translation>소견 요약</translation>
    </message>
    <message>
        <source>没有发现。</source>
        <translation>소견이 없습니다.</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>위치</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>제목</translation>
    </message>
    <message>
        <source>最高温度</source>
        <translation>최고 온도</translation>
    </message>
    <message>
        <source>严重程度</source>
        <translation>심각도</translation>
    </message>
    <message>
        <source>建议措施</source>
        <translation>권장 조치</translation>
    </message>
    <message>
        <source>这张图片无法读取。</source>
        <translation>이 사진을 읽을 수 없습니다.</translation>
    </message>
    <message>
        <source>（建议）</source>
        <translation>(제안)</translation>
    </message>
    <message>
        <source>参考温度</source>
        <translation>기준</translation>
    </message>
    <message>
        <source>测量（%1）</source>
        <translation>측정 (%1)</translation>
    </message>
    <message>
        <source>观察与建议</source>
        <translation>관찰 및 권고</translation>
    </message>
    <message>
        <source>无法读取的图片</source>
        <translation>읽을 수 없는 사진</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>%2쪽 중 %1쪽</translation>
    </message>
    <message>
        <source>图片数量</source>
        <translation>사진 수</translation>
    </message>
    <message>
        <source>发现数量</source>
        <translation>소견</translation>
    </message>
    <message>
        <source>输入的温度 %1</source>
        <translation>입력한 온도 %1</translation>
    </message>
</context>
<context>
    <name>InspectionReportDialog</name>
    <message>
        <source>检测报告</source>
        <translation>점검 보고서</translation>
    </message>
    <message>
        <source>公司</source>
        <translation>회사</translation>
    </message>
    <message>
        <source>标志图片</source>
        <translation>로고</translation>
    </message>
    <message>
        <source>客户</source>
        <translation>고객</translation>
    </message>
    <message>
        <source>现场</source>
        <translation>현장</translation>
    </message>
    <message>
        <source>检测人员</source>
        <translation>점검자</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>날짜</translation>
    </message>
    <message>
        <source>选择标志图片</source>
        <translation>로고 선택</translation>
    </message>
    <message>
        <source>图片 (*.png *.jpg *.jpeg *.bmp *.svg)</source>
        <translation>그림 (*.png *.jpg *.jpeg *.bmp *.svg)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>正在等待连接...</source>
        <translation>연결 대기 중...</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>파일</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>연결 해제</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>옵션</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>닫기</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>도움말</translation>
    </message>
    <message>
        <source>用户手册</source>
        <translation>사용자 설명서</translation>
    </message>
    <message>
        <source>投屏模式</source>
        <translation>화면 모드</translation>
    </message>
    <message>
        <source>U盘模式</source>
        <translation>USB 플래시 드라이브 모드</translation>
    </message>
    <message>
        <source>已断开连接</source>
        <translation>연결 끊김</translation>
    </message>
    <message>
        <source>打开文件夹...</source>
        <translation>폴더 열기...</translation>
    </message>
    <message>
        <source>选择一个目录</source>
        <translation>폴더 선택</translation>
    </message>
    <message>
        <source>文件夹：%1</source>
        <translation>폴더: %1</translation>
    </message>
    <message>
        <source>打开录像...</source>
        <translation>녹화 열기...</translation>
    </message>
    <message>
        <source>演示</source>
        <translation>데모</translation>
    </message>
    <message>
        <source>打开录像</source>
        <translation>녹화 열기</translation>
    </message>
    <message>
        <source>录像 (*.mkv)</source>
        <translation>녹화 (*.mkv)</translation>
    </message>
    <message>
        <source>找不到文件：%1</source>
        <translation>파일 %1 을(를) 찾을 수 없습니다.</translation>
    </message>
    <message>
        <source>%1 不是 VX305 的录像，无法回放。</source>
        <translation>%1 은(는) VX305 녹화가 아니므로 재생할 수 없습니다.</translation>
    </message>
    <message>
        <source>%1 已损坏或不是视频文件，无法回放。</source>
        <translation>%1 이(가) 손상되었거나 동영상이 아니므로 재생할 수 없습니다.</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>回放：%1</source>
        <translation>재생: %1</translation>
    </message>
    <message>
        <source>没有热像仪也可以试用本软件。
要观看实时画面的演示（一段录像），还是打开演示图片？</source>
        <translation>열화상 카메라 없이도 소프트웨어를 체험할 수 있습니다.
실시간 화면 데모(녹화)를 보시겠습니까, 아니면 데모 사진을 여시겠습니까?</translation>
    </message>
    <message>
        <source>实时画面</source>
        <translation>실시간 데모</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>사진</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>报警时段</source>
        <translation>경보 구간</translation>
    </message>
    <message>
        <source>最大温度</source>
        <translation>최고 온도</translation>
    </message>
    <message>
        <source>报警阈值</source>
        <translation>경보 임계값</translation>
    </message>
</context>
<context>
    <name>VideoExport</name>
    <message>
        <source>最大温度 %1   报警阈值 %2</source>
        <translation>최고 온도 %1   경보값 %2</translation>
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
        <translation>영상</translation>
    </message>
    <message>
        <source>报警历史</source>
        <translation>경보 기록</translation>
    </message>
    <message>
        <source>拍照</source>
        <translation>이미지 캡처</translation>
    </message>
    <message>
        <source>报警设置</source>
        <translation>경보 설정</translation>
    </message>
    <message>
        <source>启用报警</source>
        <translation>경보 사용</translation>
    </message>
    <message>
        <source>声音报警</source>
        <translation>소리 경보</translation>
    </message>
    <message>
        <source>产生报警文件</source>
        <translation>경보 파일 생성</translation>
    </message>
    <message>
        <source>报警信息</source>
        <translation>경보 정보</translation>
    </message>
    <message>
        <source>最大温度</source>
        <translation>최고 온도</translation>
    </message>
    <message>
        <source>报警阈值</source>
        <translation>경보 임계값</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>방사율</translation>
    </message>
    <message>
        <source>停止当前报警</source>
        <translation>경보 중지</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>파일 저장</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>图片保存失败，请检查文件名和文件夹!</source>
        <translation>사진을 저장하지 못했습니다. 파일 이름과 폴더를 확인하십시오!</translation>
    </message>
    <message>
        <source>热像仪的摄像头正被其他程序占用。请关闭该程序，然后重新连接。</source>
        <translation>열화상 카메라를 다른 프로그램이 사용 중입니다. 그 프로그램을 닫은 후 다시 연결하십시오.</translation>
    </message>
    <message>
        <source>没有打开热像仪摄像头（/dev/video*）的权限。请将您的用户加入 video 组，然后重新登录。</source>
        <translation>열화상 카메라(/dev/video*)를 열 권한이 없습니다. 사용자를 video 그룹에 추가한 후 다시 로그인하십시오.</translation>
    </message>
    <message>
        <source>热像仪已停止发送图像。请检查连接线。</source>
        <translation>열화상 카메라가 영상 전송을 멈췄습니다. 케이블을 확인하십시오.</translation>
    </message>
    <message>
        <source>无法启动摄像头：%1</source>
        <translation>카메라를 시작할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>趋势</source>
        <translation>추세</translation>
    </message>
    <message>
        <source>保存读数</source>
        <translation>측정값 저장</translation>
    </message>
    <message>
        <source>读数保存失败，请检查文件名和文件夹!</source>
        <translation>측정값을 저장하지 못했습니다. 파일 이름과 폴더를 확인하십시오!</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>单帧</source>
        <translation>한 프레임</translation>
    </message>
    <message>
        <source>起点</source>
        <translation>시작 표시</translation>
    </message>
    <message>
        <source>终点</source>
        <translation>끝 표시</translation>
    </message>
    <message>
        <source>导出视频</source>
        <translation>동영상 내보내기</translation>
    </message>
    <message>
        <source>录像</source>
        <translation>녹화</translation>
    </message>
    <message>
        <source>报警片段</source>
        <translation>경보 클립</translation>
    </message>
    <message>
        <source>报警前(秒)</source>
        <translation>이전 (초)</translation>
    </message>
    <message>
        <source>报警后(秒)</source>
        <translation>이후 (초)</translation>
    </message>
    <message>
        <source>回放时也产生报警文件</source>
        <translation>재생 중에도 경보 파일 생성</translation>
    </message>
    <message>
        <source>播放报警片段</source>
        <translation>경보 클립 재생</translation>
    </message>
    <message>
        <source>无法播放录像：%1</source>
        <translation>녹화를 재생할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>导出视频...</source>
        <translation>동영상 내보내기...</translation>
    </message>
    <message>
        <source>回放：%1</source>
        <translation>재생: %1</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>재생</translation>
    </message>
    <message>
        <source>无法开始录像：%1</source>
        <translation>녹화를 시작할 수 없습니다: %1</translation>
    </message>
    <message>
        <source>录像已停止：%1
已写入的部分可以播放：%2</source>
        <translation>녹화가 중지되었습니다: %1
기록된 부분은 재생할 수 있습니다: %2</translation>
    </message>
    <message>
        <source>停止录像 %1 · %2</source>
        <translation>중지 %1 · %2</translation>
    </message>
    <message>
        <source>起点 %1</source>
        <translation>시작 %1</translation>
    </message>
    <message>
        <source>终点 %1</source>
        <translation>끝 %1</translation>
    </message>
    <message>
        <source>正在导出视频...</source>
        <translation>동영상을 내보내는 중...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>已导出 %1 帧：%2</source>
        <translation>%1 프레임을 내보냈습니다: %2</translation>
    </message>
    <message>
        <source>视频导出失败：%1</source>
        <translation>동영상을 내보낼 수 없습니다: %1</translation>
    </message>
    <message>
        <source>MQTT：正在连接</source>
        <translation>MQTT: 연결 중</translation>
    </message>
    <message>
        <source>MQTT：已连接</source>
        <translation>MQTT: 연결됨</translation>
    </message>
    <message>
        <source>MQTT：代理拒绝连接</source>
        <translation>MQTT: 브로커가 연결을 거부함</translation>
    </message>
    <message>
        <source>MQTT：无法连接代理</source>
        <translation>MQTT: 브로커에 연결할 수 없음</translation>
    </message>
    <message>
        <source>MQTT：连接中断，正在重连</source>
        <translation>MQTT: 연결 끊김, 다시 연결 중</translation>
    </message>
    <message>
        <source>MQTT：地址无效</source>
        <translation>MQTT: 잘못된 주소</translation>
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
        <translation>파일</translation>
    </message>
    <message>
        <source>移动磁盘</source>
        <translation>이동식 디스크</translation>
    </message>
    <message>
        <source>图片信息</source>
        <translation>이미지 보기</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>번호</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>이미지</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>시간</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>크기</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>该图片解析失败，请确认型号是否正确!</source>
        <translation>이미지를 분석하지 못했습니다. 모델이 올바른지 확인하십시오!</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>检查到U盘中同时含有VX300和VX305的文件
请选择打开哪一项？</source>
        <translation>USB 플래시 드라이브에 VX300 파일과 VX305 파일이 모두 있습니다.
어느 쪽을 여시겠습니까?</translation>
    </message>
    <message>
        <source>未找到移动磁盘</source>
        <translation>이동식 디스크를 찾을 수 없습니다.</translation>
    </message>
    <message>
        <source>所选磁盘中既没有VX305的“DCIM_100”文件夹，也没有VX300的“Images”文件夹</source>
        <translation>선택한 디스크에 VX305의 “DCIM_100” 폴더도 VX300의 “Images” 폴더도 없습니다.</translation>
    </message>
    <message>
        <source>为所选图片生成报告...</source>
        <translation>선택한 사진의 보고서...</translation>
    </message>
    <message>
        <source>无法从文件夹判断图片的型号。
这些图片是哪一型号拍摄的？</source>
        <translation>폴더로 모델을 알 수 없습니다.
어느 열화상 카메라로 찍은 사진입니까?</translation>
    </message>
    <message>
        <source>选择保存报告的文件夹</source>
        <translation>보고서를 저장할 폴더 선택</translation>
    </message>
    <message>
        <source>所选文件夹中已有同名报告：%1 份。</source>
        <translation>선택한 폴더에 같은 이름의 보고서가 이미 있습니다: %1개.</translation>
    </message>
    <message>
        <source>全部替换</source>
        <translation>모두 바꾸기</translation>
    </message>
    <message>
        <source>全部跳过</source>
        <translation>모두 건너뛰기</translation>
    </message>
    <message>
        <source>正在生成报告...</source>
        <translation>보고서 작성 중...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>正在生成报告 %1 / %2...</source>
        <translation>보고서 작성 중 %1 / %2...</translation>
    </message>
    <message>
        <source>已取消。已生成的报告：%1 份。</source>
        <translation>취소되었습니다. 작성된 보고서: %1개.</translation>
    </message>
    <message>
        <source>已生成的报告：%1 份。</source>
        <translation>작성된 보고서: %1개.</translation>
    </message>
    <message>
        <source>以下图片无法解析，已跳过：</source>
        <translation>다음 사진은 읽을 수 없어 건너뛰었습니다:</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>폴더</translation>
    </message>
    <message>
        <source>为所选图片生成检测报告...</source>
        <translation>선택한 사진의 점검 보고서...</translation>
    </message>
    <message>
        <source>检测报告</source>
        <translation>점검 보고서</translation>
    </message>
    <message>
        <source>保存的文件</source>
        <translation>저장 파일</translation>
    </message>
    <message>
        <source>正在生成检测报告...</source>
        <translation>점검 보고서를 만드는 중...</translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation>파일을 쓸 수 없습니다: %1</translation>
    </message>
    <message>
        <source>检测报告已生成，共 %1 页。</source>
        <translation>점검 보고서를 만들었습니다: %1쪽.</translation>
    </message>
    <message>
        <source>以下图片无法解析，已列在报告末尾：</source>
        <translation>다음 사진은 읽을 수 없어 보고서 끝에 나열했습니다:</translation>
    </message>
</context>
<context>
    <name>seting</name>
    <message>
        <source>报警历史路径</source>
        <translation>경보 기록 경로</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>选择一个目录</source>
        <translation>폴더 선택</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>改动将在应用重启后生效!</source>
        <translation>변경 사항은 프로그램을 다시 시작한 후에 적용됩니다!</translation>
    </message>
    <message>
        <source>路径中不能包含逗号“,”，请选择其他文件夹。</source>
        <translation>경로에 쉼표(“,”)를 포함할 수 없습니다. 다른 폴더를 선택하십시오.</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>분석</translation>
    </message>
    <message>
        <source>记住分析</source>
        <translation>분석 기억</translation>
    </message>
    <message>
        <source>严重程度标准：ΔT 的下限（°C）</source>
        <translation>심각도 기준: ΔT 하한 (°C)</translation>
    </message>
    <message>
        <source>等级</source>
        <translation>등급</translation>
    </message>
    <message>
        <source>建议措施</source>
        <translation>권장 조치</translation>
    </message>
    <message>
        <source>对比同类部件</source>
        <translation>유사 부품 대비</translation>
    </message>
    <message>
        <source>对比环境空气</source>
        <translation>주변 공기 대비</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>기본값 복원</translation>
    </message>
    <message>
        <source>将实时读数发布到 MQTT 代理</source>
        <translation>실시간 측정값을 MQTT 브로커에 게시</translation>
    </message>
    <message>
        <source>代理地址</source>
        <translation>브로커 주소</translation>
    </message>
    <message>
        <source>用户名</source>
        <translation>사용자</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>MQTT 代理地址无效：%1</source>
        <translation>MQTT 브로커 주소가 올바르지 않습니다: %1</translation>
    </message>
</context>
</TS>
